// Host-name, address and ARP queries of CCorvaneFunctions.
#include <corvane/CCorvaneFunctions.h>

#include <cstdio>

#include "codec/WireText.h"
#include "platform/NeighbourTable.h"
#include "platform/Resolver.h"

namespace {

using namespace corvane::detail;

// Texts handed to the resolver are bounded like the system's name buffers.
constexpr std::size_t kMaxQueryText = 260;
// How long a missing neighbour entry is awaited (the kernel gives up after
// three one-second probes by default).
constexpr int kArpTimeoutMs = 3500;

bool QueryText(const std::wstring& text, std::string& narrow) {
  if (text.size() >= kMaxQueryText || text.find(L'\0') != std::wstring::npos) return false;
  narrow = ToUtf8(text);
  return !narrow.empty();
}

}  // namespace

BOOL CCorvaneFunctions::GetClientMacAddress(std::wstring strIp, std::wstring& strMac) const {
  std::string ip;
  MacAddress mac{};
  if (!QueryText(strIp, ip) || !ResolveNeighbourMac(ip, mac, kArpTimeoutMs)) return 0;
  wchar_t text[18];
  std::swprintf(text, 18, L"%02X-%02X-%02X-%02X-%02X-%02X", mac[0], mac[1], mac[2], mac[3],
                mac[4], mac[5]);
  strMac = text;
  return 1;
}

std::wstring CCorvaneFunctions::GetHostClientIpAddress(std::wstring strHostName) const {
  std::string name, ip;
  if (!QueryText(strHostName, name) || !ResolveFirstIPv4(name, ip)) return {};
  return FromUtf8(ip);
}

std::wstring CCorvaneFunctions::GetHostClientName(std::wstring strIp) const {
  std::string ip, name;
  if (!QueryText(strIp, ip) || !ResolveNameOfIPv4(ip, name)) return {};
  return FromUtf8(name);
}

BOOL CCorvaneFunctions::GetHostInfo(std::wstring strHost, _HostInfo& hostInfo) const {
  std::string query;
  HostEntry entry;
  if (!QueryText(strHost, query) || !LookupHostEntry(query, entry)) return 0;
  hostInfo.strHostName = FromUtf8(entry.strName);
  for (int i = 0; i < _HostInfo::kMaxEntries; ++i) {
    const auto n = static_cast<std::size_t>(i);
    hostInfo.strAliases[i] = n < entry.aliases.size() ? FromUtf8(entry.aliases[n]) : L"";
    hostInfo.strIpAddresses[i] = n < entry.addresses.size() ? FromUtf8(entry.addresses[n]) : L"";
  }
  hostInfo.strAddrType = entry.bIPv4 ? L"AF_INET" : L"Unknown Type";
  if (!entry.addresses.empty()) {
    GetClientMacAddress(hostInfo.strIpAddresses[0], hostInfo.strMacAddress);
  }
  return 1;
}
