#pragma once
// Text forms of IPv4 addresses and the one-byte-per-character narrowing used
// for host names and wire texts.
#include <corvane/CorvaneTypes.h>

#include <string>

namespace corvane::detail {

// "%d.%d.%d.%d" of an address whose first octet is the most significant byte.
std::wstring FormatIpv4(DWORD dwAddress);
// Each character's low 8 bits.
std::string NarrowText(const std::wstring& text);

}  // namespace corvane::detail
