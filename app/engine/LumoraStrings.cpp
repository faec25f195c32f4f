#include "LumoraStrings.h"

#include <array>
#include <utility>

namespace {

// The texts exactly as the program shows them, spelling included; the tab
// captions are padded to 15 characters.
constexpr std::array<std::pair<UINT, const wchar_t*>, 22> kTable = {{
    {101, L"&About Lumora..."},
    {102, L"No device selected. Please select a device that you want to configure."},
    {103, L"Icon           "},
    {104, L"Small Icon     "},
    {105, L"List           "},
    {106, L"Details        "},
    {107, L"Printer Name"},
    {108, L"Printer Model"},
    {109, L"IP Address"},
    {110, L"Mac Address"},
    {111, L"Find..."},
    {112, L"Please select a valid IP address!"},
    {113, L"Selected Device: %s"},
    {114, L"None"},
    {115, L"Please select a valid printer name!"},
    // The maker's site. The .example domain is reserved, so that the link
    // never leads anywhere unintended until the real address is known.
    {116, L"http://www.zqprinters.example/"},
    {117, L"Subnet Mask"},
    {118, L"Device Selected!"},
    {119, L"LumoraFinder"},
    {120, L"Printer parameters succesfully updated!"},
    {121, L"Unable to modify printer parameters! Please try again later."},
    {122, L"Unable to modify printer parameters! Trouble in socket comunication."},
}};

}  // namespace

const wchar_t* LumoraStrings::Load(UINT uiId) {
  for (const auto& [id, text] : kTable)
    if (id == uiId) return text;
  return L"";
}
