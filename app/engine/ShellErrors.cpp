#include "ShellErrors.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<int, const wchar_t*>, 13> kTexts = {{
    {0, L"The operating system is out\nof memory or resources."},
    {2, L"The specified file was not found."},
    {3, L"The specified path was not found."},
    {5, L"The operating system denied\naccess to the specified file."},
    {8, L"There was not enough memory to complete the operation."},
    {11, L"The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, L"A sharing violation occurred. "},
    {27, L"The filename association is\nincomplete or invalid."},
    {28, L"The DDE transaction could not\nbe completed because the request timed out."},
    {29, L"The DDE transaction failed."},
    {30, L"The DDE transaction could not\nbe completed because other DDE transactions\nwere "
         L"being processed."},
    {31, L"There is no application associated\nwith the given filename extension."},
    {32, L"The specified dynamic-link library was not found."},
}};

}  // namespace

std::wstring ShellErrors::Text(int iCode) {
  for (const auto& [code, text] : kTexts)
    if (code == iCode) return text;
  return L"Unknown Error (" + std::to_wstring(iCode) + L") occurred.";
}

std::wstring ShellErrors::Message(int iCode) {
  return L"Unable to open hyperlink:\n\n" + Text(iCode);
}
