#pragma once
// A dialog described as a table, the way the program's dialog templates are
// written: every control with its numeric id, kind, caption, rectangle in
// dialog units and initial state. CTemplateDialog builds the widgets from it,
// in table order, which is also the tab order.
#include <span>

enum class ControlKind {
  kPushButton,
  kCheckBox,
  kGroupBox,
  kStatic,
  kEdit,
  kListView,
  kTabControl,
  kProgressBar,
  kUpDown,
  kIpAddress,
  kListBox,
};

// Initial state and style bits of a control.
namespace ControlStyle {
constexpr unsigned kHidden = 1u << 0;    // created without the visible style
constexpr unsigned kDisabled = 1u << 1;  // created disabled
constexpr unsigned kDefault = 1u << 2;   // the default push button
constexpr unsigned kTabStop = 1u << 3;   // reached with Tab
constexpr unsigned kBorder = 1u << 4;
constexpr unsigned kNoWrap = 1u << 5;       // static text on one line
constexpr unsigned kAutoHScroll = 1u << 6;  // edit scrolls instead of stopping at its end
constexpr unsigned kSmooth = 1u << 7;       // progress bar without blocks
constexpr unsigned kShowSelAlways = 1u << 8;
constexpr unsigned kVScroll = 1u << 9;
constexpr unsigned kHScroll = 1u << 10;
constexpr unsigned kAutoCheck = 1u << 11;
}  // namespace ControlStyle

// Controls without an id of their own (frames, notes).
constexpr int kNoControlId = -1;

struct ControlSpec {
  int nId;
  ControlKind kind;
  const wchar_t* szCaption;
  int x, y, cx, cy;  // dialog units
  unsigned uStyle;
};

struct DialogSpec {
  int nId;
  const wchar_t* szCaption;
  int cx, cy;  // dialog units
  bool bMinimizeBox;
  std::span<const ControlSpec> controls;
};
