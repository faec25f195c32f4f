#include "CUdpDiscoveryTransport.h"

#include <corvane/CCNetCardInfo.h>
#include <corvane/CCorvaneFunctions.h>
#include <corvane/CZqSocketComUdp.h>

namespace {
// Socket types as the transport takes them: 0 is a datagram socket too.
constexpr DWORD kSockDgram = 2;

// The default adapter's address with all host bits set.
std::wstring SubnetDirectedBroadcast() {
  const CCNetCardInfo cards;
  const CCorvaneFunctions functions;
  const DWORD dwAddress = functions.strIpToDword(cards.GetNetCardIPAddress(CCNetCardInfo::kDefaultCard));
  const DWORD dwMask = functions.strIpToDword(cards.GetNetCardSubnetMask(CCNetCardInfo::kDefaultCard));
  return functions.dwordToStrIp(~dwMask | dwAddress);
}
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
  CZqSocketComUdp sender;
  if (dwBroadcastType != 0) {
    DWORD dwResult = sender.InitSocket(dwTxPort, kSockDgram, 1);
    if (dwResult == CZqSocketComUdp::kOk) dwResult = sender.Send(strMessage, strLocalAddress, dwPort);
    sender.Close();
    return dwResult;
  }
  // The subnet-directed broadcast is a broadcast too: the system refuses it
  // on a socket without broadcast permission, so the endpoint gets the
  // permission and is given the address as its host.
  DWORD dwResult = sender.InitSocket(dwTxPort, 0, 1);
  if (dwResult == CZqSocketComUdp::kOk)
    dwResult = sender.Send(strMessage, SubnetDirectedBroadcast(), strLocalAddress, dwPort);
  sender.Close();
  return dwResult;
}
