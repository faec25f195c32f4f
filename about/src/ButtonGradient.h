#pragma once
// The 64 colours of CXPButton's vertical gradient, from white (entry 0) to a
// light grey that leans blue, a little warmer while hovered and a little
// darker while highlighted.
#include <QColor>

namespace ButtonGradient {

constexpr int kEntries = 64;

QColor Entry(int i, bool bHover, bool bHighlight);

}  // namespace ButtonGradient
