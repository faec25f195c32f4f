#include <corvane/CCNetCardInfo.h>
#include <corvane/LastError.h>

#include <algorithm>
#include <cstdio>
#include <new>

#include "adapters/AdapterSource.h"
#include "adapters/OwnAddress.h"
#include "codec/WireText.h"

using namespace corvane::detail;

namespace {

const wchar_t kSuccess[] = L"Success!";

std::wstring MacText(const std::vector<BYTE>& hw) {
  BYTE b[6] = {};  // a shorter hardware address is shown padded with zeros
  std::copy_n(hw.begin(), std::min<std::size_t>(hw.size(), 6), b);
  wchar_t text[18];
  std::swprintf(text, 18, L"%02X:%02X:%02X:%02X:%02X:%02X", b[0], b[1], b[2], b[3], b[4], b[5]);
  return text;
}

std::wstring IpText(const std::vector<AdapterAddress>& addresses) {
  std::wstring text;
  for (const auto& a : addresses) {
    if (!text.empty()) text += L"\r\n";
    text += FromUtf8(a.strIp);
  }
  return text.empty() ? L"0.0.0.0" : text;
}

std::wstring OrNotAvailable(const std::string& text) {
  return text.empty() ? L"N/A" : FromUtf8(text);
}

}  // namespace

CCNetCardInfo::CCNetCardInfo() : CCNetCardInfo(MakeSystemAdapterSource()) {}

CCNetCardInfo::CCNetCardInfo(std::unique_ptr<AdapterSource> pSource)
    : m_pSource(std::move(pSource)), m_strErrorMsg(kSuccess) {
  GetCardInfo();
}

CCNetCardInfo::~CCNetCardInfo() = default;

int CCNetCardInfo::GetCardInfo() {
  m_strErrorMsg = kSuccess;
  DWORD count = 0;
  const DWORD rc = m_pSource ? m_pSource->CountAdapters(count) : kSourceOtherError;
  m_dwNumOfCard = 0;
  if (rc != kSourceOk) {
    m_strErrorMsg = L"Unable to get needed buffer size...";
    return 0;
  }
  m_ulBufLen = count;
  m_dwNumOfCard = count;
  try {
    m_pAdapterBuffer = std::make_unique<AdapterList>();
    m_pNetCard = std::make_unique<NetCardEntry[]>(count);
    GetInfo();
  } catch (const std::bad_alloc&) {
    m_pAdapterBuffer.reset();
    m_pNetCard.reset();
    m_dwNumOfCard = 0;
    m_strErrorMsg = L"Unable to allocate needed buffer...";
    return 0;
  }
  return m_strErrorMsg == kSuccess ? 1 : 0;
}

void CCNetCardInfo::GetInfo() {
  m_strErrorMsg = kSuccess;
  switch (m_pSource->ListAdapters(*m_pAdapterBuffer)) {
    case kSourceOk:
      ParseData();
      break;
    case kSourceNotSupported:
      m_strErrorMsg = L"The system not support GetAdaptersInfo API function!";
      break;
    case kSourceNoData:
      m_strErrorMsg = L"No net device information!";
      break;
    default:
      m_strErrorMsg = L"Other unandled error...";
      break;
  }
}

void CCNetCardInfo::ParseData() {
  std::string own;
  std::string hostIp;
  const bool hostResolved = m_pSource->HostNameAddress(hostIp);
  if (!ChooseOwnAddress(hostResolved, hostIp, *m_pAdapterBuffer, own) || own.empty()) {
    m_strErrorMsg = L"Unable to get local IP address...";
    return;
  }
  const std::wstring ownText = FromUtf8(own);
  const auto& records = m_pAdapterBuffer->records;
  // The table was sized by the count query; the list may since have changed.
  const DWORD filled = static_cast<DWORD>(std::min<std::size_t>(m_dwNumOfCard, records.size()));
  for (DWORD i = 0; i < filled; ++i) {
    const AdapterRecord& r = records[i];
    NetCardEntry& e = m_pNetCard[i];
    e.strMacAddress = MacText(r.hwAddress);
    e.strDeviceName = FromUtf8(r.strName);
    e.strType = std::to_wstring(r.dwType);
    e.strIpAddress = IpText(r.addresses);
    if (e.strIpAddress == ownText) m_dwDefaultCardNum = i;
    e.strSubnetMask = r.addresses.empty() ? L"0.0.0.0" : FromUtf8(r.addresses.front().strMask);
    e.strGateway = r.strGateway.empty() ? L"0.0.0.0" : FromUtf8(r.strGateway);
    e.strWins = OrNotAvailable(r.strWins);
    e.strDhcpServer = OrNotAvailable(r.strDhcpServer);
  }
  m_dwNumOfCard = filled;
}

const CCNetCardInfo::NetCardEntry* CCNetCardInfo::Card(DWORD dwCard) const {
  if (!m_pNetCard || m_dwNumOfCard == 0) return nullptr;
  if (dwCard == kDefaultCard) dwCard = m_dwDefaultCardNum;
  if (dwCard >= m_dwNumOfCard) dwCard = 0;
  return &m_pNetCard[dwCard];
}

std::wstring CCNetCardInfo::Field(DWORD dwCard, std::wstring NetCardEntry::*pField) const {
  const NetCardEntry* pCard = Card(dwCard);
  return pCard ? pCard->*pField : std::wstring();
}

std::wstring CCNetCardInfo::GetNetCardMACAddress(DWORD c) const { return Field(c, &NetCardEntry::strMacAddress); }
std::wstring CCNetCardInfo::GetNetCardDeviceName(DWORD c) const { return Field(c, &NetCardEntry::strDeviceName); }
std::wstring CCNetCardInfo::GetNetCardType(DWORD c) const { return Field(c, &NetCardEntry::strType); }
std::wstring CCNetCardInfo::GetNetCardSubnetMask(DWORD c) const { return Field(c, &NetCardEntry::strSubnetMask); }
std::wstring CCNetCardInfo::GetNetCardIPAddress(DWORD c) const { return Field(c, &NetCardEntry::strIpAddress); }
std::wstring CCNetCardInfo::GetNetCardGateWay(DWORD c) const { return Field(c, &NetCardEntry::strGateway); }
std::wstring CCNetCardInfo::GetNetCardWINS(DWORD c) const { return Field(c, &NetCardEntry::strWins); }
std::wstring CCNetCardInfo::GetDHCPServer(DWORD c) const { return Field(c, &NetCardEntry::strDhcpServer); }

std::wstring CCNetCardInfo::GetErrorMsg() const { return m_strErrorMsg; }
DWORD CCNetCardInfo::Get_m_dwNumOfCard() const { return m_dwNumOfCard; }
DWORD CCNetCardInfo::Get_m_dwDefaultCardNum() const { return m_dwDefaultCardNum; }

int CCNetCardInfo::GetLocalAddress(wchar_t* pBuffer, DWORD dwCapacity) {
  if (pBuffer == nullptr || dwCapacity == 0) {
    corvane::SetLastError(corvane::kErrorInvalidParameter);
    return 0;
  }
  if (!m_pSource) return 0;
  AdapterList list;
  m_pSource->ListAdapters(list);  // an empty list still allows the host name's address
  std::string hostIp, own;
  const bool hostResolved = m_pSource->HostNameAddress(hostIp);
  if (!ChooseOwnAddress(hostResolved, hostIp, list, own) || own.empty()) return 0;
  const std::wstring text = FromUtf8(own);
  if (text.size() >= dwCapacity) {  // the terminating zero needs room too
    corvane::SetLastError(corvane::kErrorInsufficientBuffer);
    return 0;
  }
  std::copy(text.begin(), text.end(), pBuffer);
  pBuffer[text.size()] = L'\0';
  return 1;
}
