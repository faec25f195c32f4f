#pragma once
// Conversion between the library's wide strings and the UTF-16 code units of
// the wire. Characters above U+FFFF become surrogate pairs and pairs come back
// as one character; a lone surrogate travels as it is, so any string of code
// units survives a round trip.
#include <cstdint>
#include <string>

namespace corvane::detail {

std::u16string ToUtf16(const std::wstring& text);
std::wstring FromUtf16(const char16_t* pUnits, std::size_t uiCount);

}  // namespace corvane::detail
