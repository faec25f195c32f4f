#pragma once
// The string table's texts as Qt strings, for the window's captions and boxes.

#include <QString>

#include "LumoraStrings.h"

inline QString LumoraText(UINT uiId) { return QString::fromWCharArray(LumoraStrings::Load(uiId)); }
