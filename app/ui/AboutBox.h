#pragma once
// The program's About box: infolio's dialog with the program's caption, name
// and release, read from the executable's own version block.
#include <filesystem>

class QWidget;

namespace AboutBox {

// Runs the About box modally over pParent; returns the dialog's result.
int Run(QWidget* pParent, const std::filesystem::path& executable);

}  // namespace AboutBox
