#pragma once
// The program's three dialog templates: 102 the main window, 135 the debug
// console, 136 the configuration dialog.
#include "DialogTemplate.h"

namespace DialogTemplates {

const DialogSpec& Main();           // 102
const DialogSpec& Debug();          // 135
const DialogSpec& Configuration();  // 136

}  // namespace DialogTemplates
