#include "CHostList.h"

#include "CommaList.h"

#include <corvane/CCorvaneFunctions.h>

#include <unordered_set>

namespace {

bool ParseNumber(const std::wstring& strText, unsigned uMax, unsigned& uValue) {
  if (strText.empty() || strText.size() > 3) return false;
  uValue = 0;
  for (wchar_t wc : strText) {
    if (wc < L'0' || wc > L'9') return false;
    uValue = uValue * 10 + static_cast<unsigned>(wc - L'0');
  }
  return uValue <= uMax;
}

// Something a printer can have: not 0.0.0.0, not multicast or broadcast.
bool IsHostAddress(DWORD dwAddress) {
  return dwAddress != 0 && (dwAddress >> 28) != 0xE && dwAddress != 0xFFFFFFFF;
}

std::wstring Dotted(DWORD dwAddress) { return CCorvaneFunctions().dwordToStrIp(dwAddress); }

// The first and last address one entry stands for; false with a message.
bool Bounds(const std::wstring& strEntry, DWORD& dwFirst, DWORD& dwLast, std::wstring& strError) {
  const std::size_t slash = strEntry.find(L'/');
  const std::size_t dash = strEntry.find(L'-');
  if (slash != std::wstring::npos) {
    unsigned uPrefix = 0;
    if (!CHostList::ParseAddress(strEntry.substr(0, slash), dwFirst) ||
        !ParseNumber(strEntry.substr(slash + 1), 32, uPrefix)) {
      strError = L"'" + strEntry + L"' is not a CIDR block such as 10.20.0.0/28";
      return false;
    }
    const DWORD dwMask = uPrefix == 0 ? 0 : 0xFFFFFFFFu << (32 - uPrefix);
    dwFirst &= dwMask;
    dwLast = dwFirst | ~dwMask;
    if (uPrefix <= 30) {  // the network and broadcast addresses are no hosts
      ++dwFirst;
      --dwLast;
    }
    return true;
  }
  if (dash != std::wstring::npos) {
    if (!CHostList::ParseAddress(CommaList::Trim(strEntry.substr(0, dash)), dwFirst) ||
        !CHostList::ParseAddress(CommaList::Trim(strEntry.substr(dash + 1)), dwLast)) {
      strError = L"'" + strEntry + L"' is not a range such as 10.20.0.5-10.20.0.40";
      return false;
    }
    if (dwFirst > dwLast) {
      strError = L"the range '" + strEntry + L"' ends before it starts";
      return false;
    }
    return true;
  }
  if (!CHostList::ParseAddress(strEntry, dwFirst)) {
    strError = L"'" + strEntry + L"' is not an IPv4 address, CIDR block or range";
    return false;
  }
  dwLast = dwFirst;
  return true;
}

}  // namespace

bool CHostList::ParseAddress(const std::wstring& strText, DWORD& dwAddress) {
  DWORD dwValue = 0;
  std::size_t start = 0;
  for (int part = 0; part < 4; ++part) {
    const std::size_t dot = part < 3 ? strText.find(L'.', start) : strText.size();
    if (dot == std::wstring::npos) return false;
    unsigned uOctet = 0;
    if (!ParseNumber(strText.substr(start, dot - start), 255, uOctet)) return false;
    dwValue = (dwValue << 8) | uOctet;
    start = dot + 1;
  }
  dwAddress = dwValue;
  return true;
}

bool CHostList::Parse(const std::wstring& strHosts, std::vector<DWORD>& addresses,
                      std::wstring& strError) {
  std::unordered_set<DWORD> seen(addresses.begin(), addresses.end());
  for (const std::wstring& strPart : CommaList::Split(strHosts)) {
    DWORD dwFirst = 0, dwLast = 0;
    if (!Bounds(strPart, dwFirst, dwLast, strError)) return false;
    if (dwLast - dwFirst >= kMaxAddresses) {
      strError = L"'" + strPart + L"' holds " + std::to_wstring(dwLast - dwFirst + 1ull) +
                 L" addresses; at most " + std::to_wstring(kMaxAddresses) + L" in all";
      return false;
    }
    for (DWORD dwAddress = dwFirst;; ++dwAddress) {
      if (!IsHostAddress(dwAddress)) {
        strError = L"'" + strPart + L"' includes " + Dotted(dwAddress) +
                   L", which is no printer address";
        return false;
      }
      if (seen.insert(dwAddress).second) addresses.push_back(dwAddress);
      if (addresses.size() > kMaxAddresses) {
        strError = L"more than " + std::to_wstring(kMaxAddresses) +
                   L" addresses in all; ask by smaller blocks";
        return false;
      }
      if (dwAddress == dwLast) break;
    }
  }
  return true;
}
