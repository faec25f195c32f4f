#include <corvane/CCNetCardInfo.h>

#include "adapters/AdapterSource.h"

CCNetCardInfo::CCNetCardInfo() : CCNetCardInfo(corvane::detail::MakeSystemAdapterSource()) {}

CCNetCardInfo::CCNetCardInfo(std::unique_ptr<corvane::detail::AdapterSource> pSource)
    : m_pSource(std::move(pSource)), m_strErrorMsg(L"Success!") {
  GetCardInfo();
}

CCNetCardInfo::~CCNetCardInfo() = default;

int CCNetCardInfo::GetCardInfo() { return 0; }
void CCNetCardInfo::GetInfo() {}
void CCNetCardInfo::ParseData() {}

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

int CCNetCardInfo::GetLocalAddress(wchar_t*, DWORD) { return 0; }
