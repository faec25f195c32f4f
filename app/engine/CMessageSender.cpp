#include "CMessageSender.h"

#include "IDiscoveryTransport.h"

CMessageSender::CMessageSender(IDiscoveryTransport& transport, ConsoleLine console)
    : m_Transport(transport), m_Console(std::move(console)) {}

DWORD CMessageSender::Send(const std::wstring& strMessage, UINT uiTxPort, DWORD dwBroadcastType,
                           std::wstring* pLocalAddress) {
  std::wstring strLocalAddress;
  DWORD dwPort = 0;
  const DWORD dwResult =
      m_Transport.SendMessage(strMessage, uiTxPort, dwBroadcastType, strLocalAddress, dwPort);
  if (dwResult == 0 && m_Console) {
    m_Console(L"Message host IP <" + strLocalAddress + L":" + std::to_wstring(dwPort) +
              L"> Size " + std::to_wstring(strMessage.size()) + L" Buffer: { " + strMessage +
              L" }");
  }
  if (pLocalAddress != nullptr) *pLocalAddress = strLocalAddress;
  return dwResult;
}
