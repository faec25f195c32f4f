#include "CMessageSender.h"

#include "IDiscoveryOwner.h"
#include "IDiscoveryTransport.h"

CMessageSender::CMessageSender(IDiscoveryOwner& owner, IDiscoveryTransport& transport)
    : m_Owner(owner), m_Transport(transport) {}

DWORD CMessageSender::Send(const std::wstring& strMessage, std::wstring* pLocalAddress) {
  const CDiscoverySettings settings = m_Owner.GetDiscoverySettings();
  std::wstring strLocalAddress;
  DWORD dwPort = 0;
  const DWORD dwResult = m_Transport.SendMessage(strMessage, settings.uiTxPort,
                                                 settings.dwBroadcastType, strLocalAddress, dwPort);
  if (dwResult == 0) {
    m_Owner.WriteDebugConsole(L"Message host IP <" + strLocalAddress + L":" +
                              std::to_wstring(dwPort) + L"> Size " +
                              std::to_wstring(strMessage.size()) + L" Buffer: { " + strMessage +
                              L" }");
  }
  if (pLocalAddress != nullptr) *pLocalAddress = strLocalAddress;
  return dwResult;
}
