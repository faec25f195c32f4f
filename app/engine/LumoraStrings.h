#pragma once
// The program's string table (ids 101 to 122): titles, captions, column
// headers and the messages of the window and the configuration exchange.
// The window and lumora-cli show the same words from here.
#include <corvane/CorvaneTypes.h>

namespace LumoraStrings {

constexpr UINT kAbout = 101;
constexpr UINT kNoDeviceSelected = 102;
constexpr UINT kTabIcon = 103;
constexpr UINT kTabSmallIcon = 104;
constexpr UINT kTabList = 105;
constexpr UINT kTabDetails = 106;
constexpr UINT kColumnName = 107;
constexpr UINT kColumnModel = 108;
constexpr UINT kColumnIp = 109;
constexpr UINT kColumnMac = 110;
constexpr UINT kFindPlaceholder = 111;
constexpr UINT kInvalidIpAddress = 112;
constexpr UINT kSelectedDeviceFormat = 113;
constexpr UINT kNone = 114;
constexpr UINT kInvalidPrinterName = 115;
constexpr UINT kMakerWebAddress = 116;
constexpr UINT kColumnSubnetMask = 117;
constexpr UINT kDeviceSelected = 118;
constexpr UINT kProductName = 119;
constexpr UINT kSetConfirmed = 120;
constexpr UINT kSetNotConfirmed = 121;
constexpr UINT kSetTrouble = 122;

// The text of the id; an empty text for an id outside the table.
const wchar_t* Load(UINT uiId);

}  // namespace LumoraStrings
