#pragma once
// Text conversions between corvane's wide texts and byte texts.
// Wire bytes: one byte per character, the character's low 8 bits; bytes from
// the wire are read as ISO-8859-1 (byte value = character code).
// System texts (host names, interface names, file contents) are UTF-8.
#include <corvane/CorvaneTypes.h>

#include <cstddef>
#include <string>

namespace corvane::detail {

std::string ToWireBytes(const std::wstring& text);
std::wstring FromWireBytes(const BYTE* pBytes, std::size_t count);

std::string ToUtf8(const std::wstring& text);
std::wstring FromUtf8(const std::string& text);

}  // namespace corvane::detail
