#include "messaging/Utf16.h"

namespace corvane::detail {
namespace {

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::u16string ToUtf16(const std::wstring& text) {
  std::u16string units;
  units.reserve(text.size());
  for (wchar_t wc : text) {
    auto c = static_cast<char32_t>(wc);
    if (c < 0x10000) {
      units.push_back(static_cast<char16_t>(c));
    } else if (c <= 0x10FFFF) {
      c -= 0x10000;
      units.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      units.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    } else {
      units.push_back(u'\uFFFD');  // not a Unicode character
    }
  }
  return units;
}

std::wstring FromUtf16(const char16_t* pUnits, std::size_t uiCount) {
  std::wstring text;
  text.reserve(uiCount);
  for (std::size_t i = 0; i < uiCount; ++i) {
    char32_t c = pUnits[i];
    if (IsHighSurrogate(c) && i + 1 < uiCount && IsLowSurrogate(pUnits[i + 1])) {
      c = 0x10000 + ((c - 0xD800) << 10) + (pUnits[i + 1] - 0xDC00);
      ++i;
    }
    text.push_back(static_cast<wchar_t>(c));
  }
  return text;
}

}  // namespace corvane::detail
