#pragma once
// A dialog template as plain data: the dialog's size and font, and one row per
// control with its id, kind, rectangle in dialog units, text or image and
// style bits. The dialog builds its controls from these rows.
#include <cstdint>
#include <span>

enum class ControlKind { PushButton, StaticText, StaticPicture, GrayFrame };

struct DialogControl {
  int iId;
  ControlKind kind;
  int x, y, cx, cy;       // dialog units
  const char* pszText;    // text of buttons and static texts, else null
  int iImage;             // image of a picture control, else 0
  std::uint32_t dwStyle;  // the kind's style bits
};

struct DialogTemplate {
  int cx, cy;  // dialog units
  const char* pszCaption;
  const char* pszFontFamily;
  int iFontPointSize;
  std::span<const DialogControl> controls;
};

// Style bits the About box's controls use.
namespace DialogStyle {
constexpr std::uint32_t kDefaultButton = 0x0001;
constexpr std::uint32_t kNotify = 0x0100;     // picture reports clicks
constexpr std::uint32_t kRealSize = 0x0800;   // picture at the image's own size
constexpr std::uint32_t kTabStop = 0x10000;
}  // namespace DialogStyle
