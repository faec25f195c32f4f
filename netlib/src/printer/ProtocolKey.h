#pragma once
// Where the printer link finds a queue's protocol: the value EthPrt (0 UDP,
// 1 TCP) under this key of HKEY_LOCAL_MACHINE followed by the queue's name.
// Installers write it through CRegStore::ProtocolKey, so both sides use one
// spelling.

namespace corvane::detail {

inline constexpr const wchar_t* kProtocolKey = L"SOFTWARE\\ZQ\\Tolvan\\";
inline constexpr const wchar_t* kProtocolValue = L"EthPrt";

}  // namespace corvane::detail
