#include "CLocalSubnets.h"

#include "CHostList.h"

#include <corvane/CCorvaneFunctions.h>

#include <algorithm>
#include <bit>

namespace {
constexpr DWORD kLoopbackNetwork = 0x7F000000;
constexpr DWORD kLoopbackMask = 0xFF000000;
}  // namespace

CLocalSubnets::CLocalSubnets(const std::vector<CCNetInterfaces::Entry>& entries) {
  for (const auto& entry : entries) {
    const Subnet subnet{entry.dwAddress & entry.dwMask, entry.dwMask};
    const bool bLoopback = entry.bLoopback || (entry.dwAddress & kLoopbackMask) == kLoopbackNetwork;
    if (bLoopback || entry.dwAddress == 0) continue;
    const bool bKnown = std::ranges::any_of(m_Subnets, [&](const Subnet& s) {
      return s.dwNetwork == subnet.dwNetwork && s.dwMask == subnet.dwMask;
    });
    if (!bKnown) m_Subnets.push_back(subnet);
  }
}

bool CLocalSubnets::IsOutside(const std::wstring& strAddress) const {
  DWORD dwAddress = 0;
  if (m_Subnets.empty() || !CHostList::ParseAddress(strAddress, dwAddress)) return false;
  return std::ranges::none_of(m_Subnets,
                              [&](const Subnet& s) { return (dwAddress & s.dwMask) == s.dwNetwork; });
}

std::wstring CLocalSubnets::Describe() const {
  std::wstring strText;
  for (const Subnet& s : m_Subnets) {
    if (!strText.empty()) strText += L", ";
    strText += CCorvaneFunctions().dwordToStrIp(s.dwNetwork) + L"/" + std::to_wstring(std::popcount(s.dwMask));
  }
  return strText;
}
