#include <corvane/CCNetInterfaces.h>

#include <corvane/CCorvaneFunctions.h>

#include "platform/InterfaceList.h"
#include "transport/Ipv4Text.h"

namespace {

DWORD ParseDotted(const std::string& strText) {
  return CCorvaneFunctions().strIpToDword(std::wstring(strText.begin(), strText.end()));
}

}  // namespace

CCNetInterfaces::CCNetInterfaces() {
  std::vector<corvane::detail::InterfaceInfo> interfaces;
  m_bValid = corvane::detail::ListInterfaces(interfaces) ? 1 : 0;
  for (const auto& info : interfaces) {
    const std::wstring strName(info.strName.begin(), info.strName.end());
    for (const auto& address : info.addresses) {
      Entry entry = MakeEntry(strName, info.uIndex, ParseDotted(address.strIp),
                              ParseDotted(address.strMask));
      entry.bUp = info.bUp ? 1 : 0;
      entry.bLoopback = info.bLoopback ? 1 : 0;
      entry.bBroadcast = info.bBroadcast ? 1 : 0;
      m_Entries.push_back(std::move(entry));
    }
  }
}

CCNetInterfaces::CCNetInterfaces(std::vector<Entry> entries)
    : m_bValid(1), m_Entries(std::move(entries)) {}

bool CCNetInterfaces::CanBroadcast(const Entry& entry) {
  // A mask of 255.255.255.254 or longer leaves no broadcast address.
  return entry.bUp && entry.bBroadcast && !entry.bLoopback && (~entry.dwMask) > 1;
}

bool CCNetInterfaces::InSubnet(const Entry& entry, DWORD dwAddress) {
  return (dwAddress & entry.dwMask) == (entry.dwAddress & entry.dwMask);
}

CCNetInterfaces::Entry CCNetInterfaces::MakeEntry(const std::wstring& strName, DWORD dwIndex,
                                                  DWORD dwAddress, DWORD dwMask) {
  using corvane::detail::FormatIpv4;
  Entry entry;
  entry.strName = strName;
  entry.dwIndex = dwIndex;
  entry.dwAddress = dwAddress;
  entry.dwMask = dwMask;
  entry.dwBroadcast = dwAddress | ~dwMask;
  entry.strAddress = FormatIpv4(dwAddress);
  entry.strMask = FormatIpv4(dwMask);
  entry.strBroadcast = FormatIpv4(entry.dwBroadcast);
  return entry;
}
