#pragma once
// The words for the codes of a failed attempt to open a web page, as the
// operator sees them: "Unable to open hyperlink:" and a blank line before the
// code's text.
#include <string>

namespace ShellErrors {

// Codes above this one mean success.
constexpr int kLastError = 32;

// The code's text alone; "Unknown Error (<code>) occurred." for an unlisted code.
std::wstring Text(int iCode);
// The text with its prefix, as the message box shows it.
std::wstring Message(int iCode);

}  // namespace ShellErrors
