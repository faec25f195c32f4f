#include "CUdpDiscoveryTransport.h"

#include <corvane/CZqSocketComUdp.h>

namespace {
// Socket types as the transport takes them: 0 is a datagram socket too.
constexpr DWORD kSockDgram = 2;
}  // namespace

CUdpDiscoveryTransport::CUdpDiscoveryTransport() = default;
CUdpDiscoveryTransport::~CUdpDiscoveryTransport() = default;

DWORD CUdpDiscoveryTransport::OpenReceiver(DWORD dwPort) {
  auto pReceiver = std::make_unique<CZqSocketComUdp>();
  const DWORD dwResult = pReceiver->InitSocketReceive(dwPort, kSockDgram);
  // A failed endpoint is kept out: later receives report that nothing came.
  m_pReceiver = dwResult == CZqSocketComUdp::kOk ? std::move(pReceiver) : nullptr;
  return dwResult;
}

DWORD CUdpDiscoveryTransport::Receive(BYTE* pBuffer, DWORD dwBufferSize, DWORD& dwReceived,
                                      std::wstring& strSenderAddress, DWORD& dwSenderPort,
                                      DWORD dwTimeout) {
  if (!m_pReceiver) {
    dwReceived = CZqSocketComUdp::kNothingReceived;
    strSenderAddress.clear();
    dwSenderPort = 0;
    return CZqSocketComUdp::kOk;
  }
  return m_pReceiver->Receive(pBuffer, dwBufferSize, dwReceived, strSenderAddress, dwSenderPort,
                              dwTimeout);
}

void CUdpDiscoveryTransport::CloseReceiver() {
  if (m_pReceiver) m_pReceiver->Close();
  m_pReceiver.reset();
  m_Senders.clear();  // the run's kept sending endpoints go with it
}

DWORD CUdpDiscoveryTransport::SendTextTo(const std::wstring& strMessage,
                                         const std::wstring& strAddress, DWORD dwTxPort,
                                         DWORD dwInterfaceIndex,
                                         const std::wstring& strSourceAddress) {
  const SenderKey key{dwTxPort, dwInterfaceIndex, strSourceAddress};
  auto it = m_Senders.find(key);
  if (it == m_Senders.end()) {
    auto pSender = std::make_unique<CZqSocketComUdp>();
    const DWORD dwResult =
        dwInterfaceIndex == 0
            ? pSender->InitSocket(dwTxPort, kSockDgram, 0)
            : pSender->InitSocketOnInterface(dwTxPort, dwInterfaceIndex, strSourceAddress);
    if (dwResult != CZqSocketComUdp::kOk) return dwResult;
    it = m_Senders.emplace(key, std::move(pSender)).first;
  }
  return it->second->Send(strMessage, strAddress);
}

DWORD CUdpDiscoveryTransport::LastReceiveInterface() const {
  return m_pReceiver ? m_pReceiver->GetLastReceiveInterface() : 0;
}

BOOL CUdpDiscoveryTransport::ReceiveDrops(DWORD& dwDrops) const {
  dwDrops = 0;
  return m_pReceiver ? m_pReceiver->GetReceiveDrops(dwDrops) : 0;
}

DWORD CUdpDiscoveryTransport::SendMessage(const std::wstring& strMessage, DWORD dwTxPort,
                                          DWORD dwBroadcastType, std::wstring& strLocalAddress,
                                          DWORD& dwPort) {
  // Non-zero mode: a datagram socket with broadcast permission, sending to
  // 255.255.255.255. Zero: type 0 without permission up front, sending to the
  // default adapter's subnet-directed broadcast (the endpoint grants the
  // permission such a send needs itself).
  const bool bLimited = dwBroadcastType != 0;
  CZqSocketComUdp sender;
  DWORD dwResult = sender.InitSocket(dwTxPort, bLimited ? kSockDgram : 0, bLimited ? 1 : 0);
  if (dwResult == CZqSocketComUdp::kOk) dwResult = sender.Send(strMessage, strLocalAddress, dwPort);
  sender.Close();
  return dwResult;
}

DWORD CUdpDiscoveryTransport::SendBytesTo(const BYTE* pData, DWORD dwLength,
                                          const std::wstring& strHost, DWORD dwTxPort,
                                          std::wstring& strLocalAddress, DWORD& dwPort) {
  CZqSocketComUdp sender;
  DWORD dwResult = sender.InitSocket(dwTxPort, 0, 0);
  if (dwResult == CZqSocketComUdp::kOk)
    dwResult = sender.Send(pData, static_cast<int>(dwLength), strHost, strLocalAddress, dwPort);
  sender.Close();
  return dwResult;
}
