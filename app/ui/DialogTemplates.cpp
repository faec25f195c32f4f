#include "DialogTemplates.h"

namespace {

using K = ControlKind;
using namespace ControlStyle;
constexpr int kNone = kNoControlId;
constexpr unsigned kButton = kTabStop;  // push buttons are tab stops
constexpr unsigned kHiddenOff = kHidden | kDisabled;

constexpr ControlSpec kMainControls[] = {
    {2, K::kPushButton, L"Exit", 317, 233, 48, 18, kButton},
    {1006, K::kPushButton, L"Start...", 12, 203, 48, 18, kButton},
    {1007, K::kPushButton, L"Stop", 66, 203, 48, 18, kButton | kDisabled},
    {1026, K::kPushButton, L"Conf.", 239, 204, 48, 18, kButton | kDisabled},
    {3, K::kPushButton, L"Web", 317, 204, 48, 18, kButton | kDisabled},
    {1036, K::kPushButton, L"zqprinters", 220, 9, 72, 25, kButton},
    {1034, K::kPushButton, L"About", 300, 9, 72, 25, kButton},
    {1000, K::kTabControl, L"Tab1", 7, 40, 376, 15, kHidden | kTabStop},
    {1002, K::kListView, L"List2", 7, 55, 376, 137, kBorder | kTabStop | kShowSelAlways},
    {1, K::kPushButton, L"OK", 7, 0, 50, 6, kButton | kHiddenOff | kDefault},
    {1003, K::kPushButton, L"Add Item...", 317, 141, 50, 14, kButton | kHiddenOff},
    {1004, K::kPushButton, L"Clear List...", 317, 124, 50, 14, kButton | kHiddenOff},
    {1005, K::kGroupBox, L"Find device", 7, 192, 212, 65, 0},
    {1008, K::kPushButton, L"Tx Sleep", 12, 226, 49, 6, kButton | kHiddenOff},
    {1009, K::kPushButton, L"Tx UnSleep", 65, 226, 49, 6, kButton | kHiddenOff},
    {1011, K::kCheckBox, L"TXLife", 11, 234, 35, 10, 0},
    {1019, K::kEdit, L"", 130, 218, 34, 12, kTabStop | kBorder | kHiddenOff},
    {1038, K::kStatic, L"TXPort (*)", 168, 203, 35, 9, kHidden},
    {1021, K::kEdit, L"", 130, 202, 34, 12, kTabStop | kBorder | kHiddenOff},
    {1039, K::kStatic, L"RXPort (*)", 168, 220, 35, 9, kHidden},
    {1022, K::kPushButton, L"TEST", 86, 266, 36, 6, kButton | kHiddenOff},
    {1012, K::kCheckBox, L"RXLife", 65, 234, 35, 10, 0},
    {1010, K::kPushButton, L"Refresh Item...", 317, 161, 50, 14, kButton | kHiddenOff},
    {1023, K::kPushButton, L"Get Full Sts", 224, 266, 60, 6, kButton | kHiddenOff},
    {1024, K::kGroupBox, L"None", 175, 263, 52, 9, kHidden},
    {kNone, K::kGroupBox, L"Broadcast", 7, 263, 80, 9, kHidden},
    {1025, K::kPushButton, L"Get DEV. ID", 294, 266, 60, 6, kButton | kHiddenOff},
    {1032, K::kGroupBox, L"Selected device", 224, 192, 159, 65, kDisabled},
    {kNone, K::kGroupBox, L"", 315, 227, 52, 26, 0},
    {kNone, K::kGroupBox, L"", 237, 198, 52, 26, 0},
    {kNone, K::kGroupBox, L"", 64, 197, 52, 26, 0},
    {kNone, K::kGroupBox, L"", 10, 197, 52, 26, 0},
    {kNone, K::kGroupBox, L"", 315, 198, 52, 26, 0},
    {kNone, K::kGroupBox, L"", 299, 4, 74, 32, 0},
    {kNone, K::kGroupBox, L"", 218, 4, 76, 32, 0},
    {1035, K::kPushButton, L"", 7, 7, 178, 29, kDisabled},
    {1037, K::kProgressBar, L"Progress1", 11, 246, 202, 6, kBorder | kSmooth},
    {1018, K::kUpDown, L"Spin1", 118, 217, 11, 13, kHiddenOff},
    {1020, K::kUpDown, L"Spin1", 118, 201, 11, 13, kHiddenOff},
    {kNone, K::kStatic,
     L" (*) Please make sure that these ports are not blocked by anti-virus, firewall, or any other software",
     7, 261, 376, 11, kNoWrap},
};

constexpr ControlSpec kDebugControls[] = {
    {1, K::kPushButton, L"OK", 7, 170, 50, 7, kButton | kHiddenOff | kDefault},
    {2, K::kPushButton, L"Cancel", 58, 170, 50, 7, kButton | kHiddenOff},
    {1012, K::kListBox, L"", 7, 7, 297, 128, kBorder | kVScroll | kHScroll | kTabStop},
    {1023, K::kPushButton, L"Get Full Sts", 75, 130, 60, 6, kButton | kHiddenOff},
    {1024, K::kGroupBox, L"None", 7, 133, 207, 9, kHidden},
    {1025, K::kPushButton, L"Get DEV. ID", 13, 130, 60, 6, kButton | kHiddenOff},
    {1022, K::kPushButton, L"TEST", 221, 136, 36, 6, kButton | kHiddenOff},
    {kNone, K::kGroupBox, L"Broadcast Test", 219, 133, 85, 9, kHidden},
    {1003, K::kPushButton, L"Add Item...", 68, 158, 50, 14, kButton | kHidden},
    {1004, K::kPushButton, L"Clear List...", 13, 158, 50, 14, kButton},
    {1010, K::kPushButton, L"Refresh Item...", 123, 158, 50, 14, kButton | kHidden},
    {kNone, K::kGroupBox, L"Main Dialog Features Test", 7, 145, 297, 32, 0},
};

constexpr ControlSpec kConfigurationControls[] = {
    {1, K::kPushButton, L"OK", 25, 155, 50, 14, kButton | kDefault},
    {2, K::kPushButton, L"Cancel", 85, 155, 50, 14, kButton},
    {1027, K::kGroupBox, L"Use the following IP address", 7, 31, 146, 74, 0},
    {1028, K::kStatic, L"IP addresses must be specified explicitly", 16, 14, 128, 11, 0},
    {1029, K::kStatic, L"IP Add.:", 14, 45, 50, 10, 0},
    {1030, K::kIpAddress, L"IPAddress1", 68, 44, 75, 12, kTabStop},
    {1031, K::kStatic, L"Subnet mask:", 14, 60, 50, 10, 0},
    {1032, K::kIpAddress, L"IPAddress1", 68, 59, 75, 12, kTabStop},
    {kNone, K::kGroupBox, L"", 7, 7, 146, 20, 0},
    {kNone, K::kGroupBox, L"Use the following new printer name", 7, 116, 146, 30, 0},
    {1033, K::kStatic, L"Printer Name:", 14, 129, 50, 10, 0},
    {1036, K::kEdit, L"", 68, 127, 80, 12, kTabStop | kBorder | kAutoHScroll},
    {kNone, K::kGroupBox, L"", 83, 150, 54, 21, 0},
    {kNone, K::kGroupBox, L"", 23, 150, 54, 21, 0},
    {1034, K::kStatic, L"Gateway:", 14, 75, 50, 10, 0},
    {1035, K::kIpAddress, L"IPAddress1", 68, 74, 75, 12, kTabStop},
    {1040, K::kStatic, L"DHCP:", 14, 90, 23, 8, 0},
    {1041, K::kCheckBox, L"", 68, 90, 16, 8, kTabStop | kAutoCheck},
};

const DialogSpec kMain{102, L"Lumora", 390, 276, false, kMainControls};
const DialogSpec kDebug{135, L"Debug", 311, 184, true, kDebugControls};
const DialogSpec kConfiguration{136, L"IP Address Proprerties", 160, 178, false, kConfigurationControls};

}  // namespace

const DialogSpec& DialogTemplates::Main() { return kMain; }
const DialogSpec& DialogTemplates::Debug() { return kDebug; }
const DialogSpec& DialogTemplates::Configuration() { return kConfiguration; }
