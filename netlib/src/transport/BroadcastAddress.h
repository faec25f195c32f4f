#pragma once
// Destinations of a sending datagram endpoint's broadcasts.
#include <string>

namespace corvane::detail {

inline constexpr wchar_t kLimitedBroadcast[] = L"255.255.255.255";

// The default card's dotted IPv4 address.
std::wstring LocalAdapterAddress();
// The default card's address with all host bits set (subnet-directed
// broadcast). Without adapter information the texts convert to 0 and the
// result is "255.255.255.255".
std::wstring SubnetBroadcastAddress();
// (complement of mask) OR address, on dotted texts.
std::wstring DirectedBroadcast(const std::wstring& strAddress, const std::wstring& strMask);

}  // namespace corvane::detail
