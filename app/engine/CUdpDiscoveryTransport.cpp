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
