#include "CSettingsCheck.h"

#include "CHostList.h"
#include "IAddressProbe.h"
#include "MacText.h"

#include <corvane/CCorvaneFunctions.h>

#include <algorithm>
#include <bit>

namespace {

using ESeverity = CSettingsFinding::ESeverity;

std::wstring Dotted(DWORD dwAddress) { return CCorvaneFunctions().dwordToStrIp(dwAddress); }

std::wstring Subnet(DWORD dwAddress, DWORD dwMask) {
  return Dotted(dwAddress & dwMask) + L"/" + std::to_wstring(std::popcount(dwMask));
}

std::wstring Quoted(const std::wstring& strText) { return L"\"" + strText + L"\""; }

// A dotted address as the printer takes it: four numbers 0 to 255 without
// leading zeros (which some readers take for octal).
bool ParseStrict(const std::wstring& strText, DWORD& dwAddress) {
  for (std::size_t i = 0; i + 1 < strText.size(); ++i) {
    const bool bPartStart = i == 0 || strText[i - 1] == L'.';
    if (bPartStart && strText[i] == L'0' && strText[i + 1] != L'.') return false;
  }
  return CHostList::ParseAddress(strText, dwAddress);
}

struct Range {
  DWORD dwBase;
  unsigned uBits;
  ESeverity eSeverity;
  const wchar_t* szWhat;
};

// Address blocks a printer must not have, and the link-local block it may
// have but should not.
constexpr Range kSpecialRanges[] = {
    {0x00000000, 8, ESeverity::kError, L"lies in 0.0.0.0/8, which no device may use"},
    {0x7F000000, 8, ESeverity::kError, L"is a loopback address (127.0.0.0/8)"},
    {0xE0000000, 4, ESeverity::kError, L"is a multicast address (224.0.0.0/4)"},
    {0xF0000000, 4, ESeverity::kError, L"lies in reserved space (240.0.0.0/4)"},
    {0xA9FE0000, 16, ESeverity::kWarning,
     L"is a link-local address (169.254.0.0/16), meant for automatic addressing; routers do "
     L"not forward it"},
};

bool InRange(DWORD dwAddress, const Range& range) {
  const DWORD dwMask = ~DWORD{0} << (32 - range.uBits);
  return (dwAddress & dwMask) == range.dwBase;
}

void Add(std::vector<CSettingsFinding>& out, ESeverity eSeverity, std::wstring strText) {
  out.push_back({eSeverity, std::move(strText)});
}

void JudgeName(const std::wstring& strName, std::vector<CSettingsFinding>& out) {
  if (strName.empty()) {
    Add(out, ESeverity::kError, L"The printer name is empty.");
    return;
  }
  if (strName.size() > CSettingsCheck::kMaxName)
    Add(out, ESeverity::kError,
        L"The name " + Quoted(strName) + L" has " + std::to_wstring(strName.size()) +
            L" characters; the printer stores at most 16.");
  const auto unstorable = std::find_if(strName.begin(), strName.end(), [](wchar_t c) {
    return c > 0xFF || c < 0x20 || c == 0x7F;
  });
  if (unstorable != strName.end())
    Add(out, ESeverity::kError,
        *unstorable > 0xFF ? L"The name holds \"" + std::wstring(1, *unstorable) +
                                 L"\", which the printer cannot store (it stores single-byte "
                                 L"characters, up to U+00FF)."
                           : L"The name holds a control character, which the printer cannot "
                             L"store.");
  if (strName.find_first_of(L"<>") != std::wstring::npos)
    Add(out, ESeverity::kError,
        L"The name holds '<' or '>', which would cut it short in the command.");
}

// The mask's own faults; true when it can be used to judge the rest.
bool JudgeMask(DWORD dwMask, const std::wstring& strMask, std::vector<CSettingsFinding>& out) {
  const unsigned uOnes = static_cast<unsigned>(std::countl_one(dwMask));
  if (uOnes < 32 && (dwMask << uOnes) != 0) {
    Add(out, ESeverity::kError,
        L"The subnet mask " + strMask +
            L" is not contiguous: its one-bits must all come first (like 255.255.255.0).");
    return false;
  }
  if (uOnes == 0) {
    Add(out, ESeverity::kError, L"The subnet mask 0.0.0.0 leaves no network part.");
    return false;
  }
  if (uOnes > 30) {
    Add(out, ESeverity::kError,
        L"The subnet mask " + strMask + L" leaves no room for a host besides the network and "
                                        L"broadcast address.");
    return false;
  }
  return true;
}

void JudgeAddress(DWORD dwIp, DWORD dwMask, bool bMaskUsable, std::vector<CSettingsFinding>& out) {
  const std::wstring strIp = Dotted(dwIp);
  for (const Range& range : kSpecialRanges) {
    if (InRange(dwIp, range)) Add(out, range.eSeverity, strIp + L" " + range.szWhat + L".");
  }
  if (!bMaskUsable) return;
  if ((dwIp & ~dwMask) == 0)
    Add(out, ESeverity::kError,
        strIp + L" is the network address of the subnet " + Subnet(dwIp, dwMask) +
            L"; a printer cannot have it.");
  else if ((dwIp | dwMask) == ~DWORD{0})
    Add(out, ESeverity::kError,
        strIp + L" is the broadcast address of the subnet " + Subnet(dwIp, dwMask) +
            L"; a printer cannot have it.");
}

const _DeviceInfo* FindByMac(const std::vector<_DeviceInfo>& list, const std::wstring& strMac) {
  const auto it = std::find_if(list.begin(), list.end(), [&](const _DeviceInfo& d) {
    return MacText::Same(d.strMacAddress, strMac);
  });
  return it == list.end() ? nullptr : &*it;
}

}  // namespace

CSettingsCheck::CSettingsCheck(std::vector<CCNetInterfaces::Entry> interfaces,
                               IAddressProbe* pProbe)
    : m_pProbe(pProbe) {
  std::copy_if(interfaces.begin(), interfaces.end(), std::back_inserter(m_Interfaces),
               [](const CCNetInterfaces::Entry& e) { return e.bUp && !e.bLoopback; });
}

bool CSettingsCheck::HasError(const std::vector<CSettingsFinding>& findings) {
  return std::any_of(findings.begin(), findings.end(),
                     [](const CSettingsFinding& f) { return f.IsError(); });
}

std::vector<CSettingsFinding> CSettingsCheck::JudgeValues(const CPrinterSettings& proposed) {
  std::vector<CSettingsFinding> out;
  DWORD dwIp = 0, dwMask = 0, dwGateway = 0;
  const bool bIp = ParseStrict(proposed.strIpAddress, dwIp);
  const bool bMask = ParseStrict(proposed.strSubnetMask, dwMask);
  const bool bGateway = ParseStrict(proposed.strGateway, dwGateway);
  const std::pair<bool, std::wstring> texts[] = {
      {bIp, L"IP address " + Quoted(proposed.strIpAddress)},
      {bMask, L"subnet mask " + Quoted(proposed.strSubnetMask)},
      {bGateway, L"gateway " + Quoted(proposed.strGateway)}};
  for (const auto& [bValid, strWhat] : texts) {
    if (!bValid)
      Add(out, ESeverity::kError,
          L"The " + strWhat + L" is not a valid dotted address (four numbers 0 to 255).");
  }
  const bool bMaskUsable = bMask && JudgeMask(dwMask, proposed.strSubnetMask, out);
  if (bIp) JudgeAddress(dwIp, dwMask, bMaskUsable, out);
  if (bIp && bMaskUsable && bGateway && dwGateway != 0 &&
      (dwGateway & dwMask) != (dwIp & dwMask))
    Add(out, ESeverity::kError,
        L"The gateway " + proposed.strGateway + L" lies outside the new subnet " +
            Subnet(dwIp, dwMask) + L"; the printer could not reach it.");
  JudgeName(proposed.strName, out);
  std::stable_partition(out.begin(), out.end(), [](const auto& f) { return f.IsError(); });
  return out;
}

std::vector<CSettingsFinding> CSettingsCheck::Judge(const CPrinterSettings& proposed,
                                                    const std::wstring& strMac,
                                                    const std::vector<_DeviceInfo>& list) const {
  std::vector<CSettingsFinding> out = JudgeValues(proposed);
  const _DeviceInfo* pCurrent = FindByMac(list, strMac);
  const bool bNewAddress = pCurrent == nullptr || pCurrent->strIpAddress != proposed.strIpAddress;
  if (proposed.strDhcp == L"1" && bNewAddress)
    Add(out, ESeverity::kWarning,
        L"DHCP is on: the printer takes its address from a DHCP server and will ignore " +
            proposed.strIpAddress + L".");
  // The network is asked only about addresses that are usable as such.
  CPrinterSettings addresses = proposed;
  addresses.strName = L"-";
  DWORD dwIp = 0, dwMask = 0;
  if (HasError(JudgeValues(addresses)) || !ParseStrict(proposed.strIpAddress, dwIp) ||
      !ParseStrict(proposed.strSubnetMask, dwMask))
    return out;
  for (const _DeviceInfo& other : list) {
    if (&other != pCurrent && other.strIpAddress == proposed.strIpAddress &&
        !MacText::Same(other.strMacAddress, strMac))
      Add(out, ESeverity::kWarning,
          proposed.strIpAddress + L" is already held by the printer " + Quoted(other.strName) +
              L" (" + other.strMacAddress + L") in the list.");
  }
  JudgeNetwork(proposed, dwIp, dwMask, out);
  if (bNewAddress) JudgeInUse(dwIp, strMac, out);
  return out;
}

const CCNetInterfaces::Entry* CSettingsCheck::OwnInterfaceIn(DWORD dwIp) const {
  const auto it = std::find_if(m_Interfaces.begin(), m_Interfaces.end(), [&](const auto& e) {
    return CCNetInterfaces::InSubnet(e, dwIp);
  });
  return it == m_Interfaces.end() ? nullptr : &*it;
}

void CSettingsCheck::JudgeNetwork(const CPrinterSettings& proposed, DWORD dwIp, DWORD dwMask,
                                  std::vector<CSettingsFinding>& out) const {
  const CCNetInterfaces::Entry* pOwn = OwnInterfaceIn(dwIp);
  if (pOwn == nullptr) {
    Add(out, ESeverity::kWarning,
        L"This computer has no interface in the subnet " + Subnet(dwIp, dwMask) +
            L": it will not reach the printer at " + proposed.strIpAddress +
            L" afterwards without a route.");
    return;
  }
  // The printer answers through its gateway whatever lies outside its subnet.
  if ((pOwn->dwAddress & dwMask) != (dwIp & dwMask))
    Add(out, ESeverity::kWarning,
        L"This computer's address " + pOwn->strAddress + L" (" + pOwn->strName +
            L") lies outside the printer's new subnet " + Subnet(dwIp, dwMask) +
            L": the printer will answer it only through its gateway.");
}

void CSettingsCheck::JudgeInUse(DWORD dwIp, const std::wstring& strMac,
                                std::vector<CSettingsFinding>& out) const {
  const std::wstring strIp = Dotted(dwIp);
  const CCNetInterfaces::Entry* pOwn = OwnInterfaceIn(dwIp);
  if (pOwn != nullptr && pOwn->dwAddress == dwIp) {
    Add(out, ESeverity::kWarning,
        strIp + L" is this computer's own address (" + pOwn->strName + L").");
    return;
  }
  if (m_pProbe == nullptr) return;
  if (pOwn != nullptr) {
    const std::wstring strHolder = m_pProbe->NeighbourMac(strIp);
    if (!strHolder.empty() && !MacText::Same(strHolder, strMac))
      Add(out, ESeverity::kWarning,
          strIp + L" is already in use: the device with the MAC address " + strHolder +
              L" answers for it.");
    return;
  }
  if (m_pProbe->Echo(strIp) == IAddressProbe::EEcho::kAnswered)
    Add(out, ESeverity::kWarning, strIp + L" is already in use: a device there answers ping.");
}
