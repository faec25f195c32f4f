#include <corvane/CZqSocketComUdp.h>
#include <corvane/CorvaneErrors.h>
#include <corvane/LastError.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "platform/SocketApi.h"
#include "transport/BroadcastAddress.h"
#include "transport/DatagramDrain.h"
#include "transport/Ipv4Text.h"

namespace error = corvane::error;

namespace {

DWORD Report(DWORD* pError, DWORD dwResult) {
  if (pError != nullptr) *pError = CCSock::GetLastError();
  return dwResult;
}

// 0 (and 2) name a datagram socket, 1 a stream socket; anything else is refused.
int SocketTypeOf(DWORD dwSocketType) {
  if (dwSocketType == 0 || dwSocketType == static_cast<DWORD>(CCSock::kDatagram)) {
    return CCSock::kDatagram;
  }
  return dwSocketType == static_cast<DWORD>(CCSock::kStream) ? CCSock::kStream : -1;
}

}  // namespace

CZqSocketComUdp::CZqSocketComUdp() = default;

CZqSocketComUdp::~CZqSocketComUdp() { m_pDrain.reset(); }

DWORD CZqSocketComUdp::InitSocket(DWORD dwPort, DWORD dwSocketType, DWORD dwBroadcast) {
  m_bBroadcast = dwBroadcast;
  const DWORD dwResult = Create(dwPort, dwSocketType, nullptr, false);
  if (dwResult == kOk && dwBroadcast != 0 && !m_Socket.SetBroadcast(1)) return kBroadcastFailed;
  return dwResult;
}

DWORD CZqSocketComUdp::InitSocket(DWORD dwPort, DWORD& dwError, DWORD dwSocketType,
                                  DWORD dwBroadcast) {
  dwError = 0;
  m_bBroadcast = dwBroadcast;
  const DWORD dwResult = Create(dwPort, dwSocketType, &dwError, false);
  if (dwResult == kOk && dwBroadcast != 0 && !m_Socket.SetBroadcast(1)) {
    return Report(&dwError, kBroadcastFailed);
  }
  return dwResult;
}

DWORD CZqSocketComUdp::InitSocketOnInterface(DWORD dwPort, DWORD dwInterfaceIndex,
                                             const std::wstring& strLocalAddress) {
  m_bBroadcast = 0;
  m_Socket.Set_m_dwTimeoutConnection(m_dwTxTimeout);
  DWORD dwSource = 0;
  if (!CCSock::ResolveAddress(strLocalAddress, dwSource) ||
      !m_Socket.Create(0, CCSock::kDatagram, strLocalAddress)) {
    return kCreateFailed;
  }
  m_dwPort = dwPort;
  m_dwInterfaceIndex = dwInterfaceIndex;
  m_dwSourceAddress = dwSource;
  return m_Socket.SetBroadcast(1) ? kOk : kBroadcastFailed;
}

DWORD CZqSocketComUdp::InitSocketReceive(DWORD dwPort, DWORD dwSocketType) {
  return Create(dwPort, dwSocketType, nullptr, true);
}

DWORD CZqSocketComUdp::InitSocketReceive(DWORD dwPort, DWORD& dwError, DWORD dwSocketType) {
  dwError = 0;
  return Create(dwPort, dwSocketType, &dwError, true);
}

DWORD CZqSocketComUdp::Create(DWORD dwPort, DWORD dwSocketType, DWORD* pError, bool bReceive) {
  m_Socket.Set_m_dwTimeoutConnection(m_dwTxTimeout);
  const int iType = SocketTypeOf(dwSocketType);
  if (iType < 0) {
    corvane::SetLastError(error::kSocketTypeNotSupported);
    return Report(pError, kCreateFailed);
  }
  if (bReceive && dwPort > 0xFFFF) {
    corvane::SetLastError(error::kInvalidArgument);
    return Report(pError, kCreateFailed);
  }
  // A receiving endpoint owns its port alone: no address reuse is asked for,
  // so a port already bound elsewhere fails here.
  if (!m_Socket.Create(bReceive ? dwPort : 0, iType)) return Report(pError, kCreateFailed);
  m_dwPort = dwPort;
  if (bReceive && iType == CCSock::kDatagram) {
    // A larger kernel buffer absorbs short bursts; the reader takes the rest.
    m_Socket.SetReceiveBufferSize(kReceiveBufferRequest);
    // Which interface each answer came in on (best effort).
    corvane::platform::EnableArrivalInterface(m_Socket.GetNativeHandle());
    m_pDrain = corvane::detail::DatagramDrain::Start(m_Socket.GetNativeHandle());
  }
  return kOk;
}

void CZqSocketComUdp::SetNetCommTimeouts(DWORD dwTxTimeout, DWORD dwRxTimeout, BOOL bUseDefaults) {
  if (bUseDefaults) {
    m_dwTxTimeout = 5000;
    m_dwRxTimeout = 10000;
    return;
  }
  if (dwTxTimeout != 0) m_dwTxTimeout = dwTxTimeout;
  if (dwRxTimeout != 0) m_dwRxTimeout = dwRxTimeout;
}

void CZqSocketComUdp::Close() {
  m_pDrain.reset();
  m_Socket.Close();
}

bool CZqSocketComUdp::PrepareBroadcast(std::wstring& strDestination) {
  if (m_bBroadcast != 0) {
    strDestination = corvane::detail::kLimitedBroadcast;
    return true;
  }
  // The system refuses any broadcast destination, the subnet-directed one
  // included, to a socket without broadcast permission.
  strDestination = corvane::detail::SubnetBroadcastAddress();
  return m_Socket.SetBroadcast(1) != 0;
}

DWORD CZqSocketComUdp::SendBytes(const BYTE* pBuffer, int iLength, const std::wstring* pHost,
                                 DWORD* pError) {
  if (pError != nullptr) *pError = 0;
  if (iLength < 0 || (pBuffer == nullptr && iLength > 0)) {
    corvane::SetLastError(error::kBadAddress);
    return Report(pError, kNotSentWhole);
  }
  std::wstring strBroadcast;
  if (pHost == nullptr && !PrepareBroadcast(strBroadcast)) return Report(pError, kNotSentWhole);
  DWORD dwAddress = 0;
  if (!CCSock::ResolveAddress(pHost != nullptr ? *pHost : strBroadcast, dwAddress)) {
    return Report(pError, kNotSentWhole);
  }
  int iOffset = 0;
  do {
    const int iChunk = std::min(iLength - iOffset, kMaxDatagramPayload);
    const BYTE* pChunk = pBuffer + iOffset;
    const int iSent = m_dwInterfaceIndex == 0
                          ? m_Socket.SendToAddress(pChunk, iChunk, m_dwPort, dwAddress)
                          : SendViaInterface(pChunk, iChunk, dwAddress);
    if (iSent != iChunk) return Report(pError, kNotSentWhole);
    iOffset += iChunk;
  } while (iOffset < iLength);
  return kOk;
}

int CZqSocketComUdp::SendViaInterface(const BYTE* pBuffer, int iLength, DWORD dwAddress) {
  if (m_dwPort > 0xFFFF) {
    corvane::SetLastError(error::kInvalidArgument);
    return -1;
  }
  const corvane::platform::Ipv4Endpoint to{dwAddress, static_cast<WORD>(m_dwPort)};
  return static_cast<int>(corvane::platform::SendDatagramVia(
      m_Socket.GetNativeHandle(), pBuffer, static_cast<std::size_t>(iLength), to,
      m_dwInterfaceIndex, m_dwSourceAddress));
}

BOOL CZqSocketComUdp::GetReceiveDrops(DWORD& dwDrops) const {
  dwDrops = 0;
  const int fd = m_Socket.GetNativeHandle();
  return fd >= 0 && corvane::platform::DroppedDatagrams(fd, dwDrops) ? 1 : 0;
}

DWORD CZqSocketComUdp::SendText(const std::wstring& strMessage, const std::wstring* pHost,
                                DWORD* pError) {
  if (pError != nullptr) *pError = 0;
  if (strMessage.size() >= 65535) return kMessageTooLong;
  const std::string bytes = corvane::detail::NarrowText(strMessage);
  return SendBytes(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<int>(bytes.size()),
                   pHost, pError);
}

DWORD CZqSocketComUdp::Send(const BYTE* pBuffer, int iLength) {
  return SendBytes(pBuffer, iLength, nullptr, nullptr);
}

DWORD CZqSocketComUdp::Send(const BYTE* pBuffer, int iLength, DWORD& dwError) {
  return SendBytes(pBuffer, iLength, nullptr, &dwError);
}

DWORD CZqSocketComUdp::Send(const BYTE* pBuffer, int iLength, std::wstring& strLocalAddress,
                            DWORD& dwPort) {
  strLocalAddress = corvane::detail::LocalAdapterAddress();
  dwPort = m_dwPort;
  return SendBytes(pBuffer, iLength, nullptr, nullptr);
}

DWORD CZqSocketComUdp::Send(const BYTE* pBuffer, int iLength, const std::wstring& strHost) {
  return SendBytes(pBuffer, iLength, &strHost, nullptr);
}

DWORD CZqSocketComUdp::Send(const BYTE* pBuffer, int iLength, const std::wstring& strHost,
                            std::wstring& strLocalAddress, DWORD& dwPort) {
  strLocalAddress = corvane::detail::LocalAdapterAddress();
  dwPort = m_dwPort;
  return SendBytes(pBuffer, iLength, &strHost, nullptr);
}

DWORD CZqSocketComUdp::Send(const std::wstring& strMessage) {
  return SendText(strMessage, nullptr, nullptr);
}

DWORD CZqSocketComUdp::Send(const std::wstring& strMessage, DWORD& dwError) {
  return SendText(strMessage, nullptr, &dwError);
}

DWORD CZqSocketComUdp::Send(const std::wstring& strMessage, std::wstring& strLocalAddress,
                            DWORD& dwPort) {
  strLocalAddress = corvane::detail::LocalAdapterAddress();
  dwPort = m_dwPort;
  return SendText(strMessage, nullptr, nullptr);
}

DWORD CZqSocketComUdp::Send(const std::wstring& strMessage, const std::wstring& strHost) {
  return SendText(strMessage, &strHost, nullptr);
}

DWORD CZqSocketComUdp::Send(const std::wstring& strMessage, const std::wstring& strHost,
                            std::wstring& strLocalAddress, DWORD& dwPort) {
  strLocalAddress = corvane::detail::LocalAdapterAddress();
  dwPort = m_dwPort;
  return SendText(strMessage, &strHost, nullptr);
}

int CZqSocketComUdp::ReceiveOne(BYTE* pBuffer, DWORD dwBufferSize, std::wstring& strSenderAddress,
                                DWORD& dwSenderPort, DWORD dwTimeout) {
  const DWORD dwWait = dwTimeout == 0 ? m_dwRxTimeout : dwTimeout;
  const int iSize = dwBufferSize > INT_MAX ? INT_MAX : static_cast<int>(dwBufferSize);
  if (pBuffer == nullptr && iSize > 0) {
    corvane::SetLastError(error::kBadAddress);
    return -1;
  }
  if (!m_pDrain) {
    // The socket's own wait; the reader's queue below takes the time-out as
    // an argument, so that a refused nested call changes nothing shared.
    m_Socket.Set_m_dwTimeoutReceiveFrom(dwWait);
    m_dwLastInterface = 0;
    UINT uPort = 0;
    const int iReceived = m_Socket.ReceiveFrom(pBuffer, iSize, strSenderAddress, uPort);
    dwSenderPort = uPort;
    return iReceived;
  }
  DWORD dwAddress = 0;
  WORD wPort = 0;
  const int iReceived =
      m_pDrain->Receive(pBuffer, iSize, dwAddress, wPort, dwWait, &m_dwLastInterface);
  // A datagram was taken (also one too large); a refused or timed-out
  // receive leaves the sender outputs empty.
  const DWORD dwError = CCSock::GetLastError();
  if (dwError == error::kNone || dwError == error::kMessageSize) {
    strSenderAddress = corvane::detail::FormatIpv4(dwAddress);
    dwSenderPort = wPort;
  }
  return iReceived;
}

DWORD CZqSocketComUdp::ReceiveInto(BYTE* pBuffer, DWORD dwBufferSize, bool bReportTooLarge,
                                   DWORD& dwReceived, std::wstring& strSenderAddress,
                                   DWORD& dwSenderPort, DWORD* pError, DWORD dwTimeout) {
  dwReceived = 0;
  strSenderAddress.clear();
  dwSenderPort = 0;
  if (pError != nullptr) *pError = 0;
  const int iReceived =
      ReceiveOne(pBuffer, dwBufferSize, strSenderAddress, dwSenderPort, dwTimeout);
  if (bReportTooLarge && iReceived == -1 && CCSock::GetLastError() == error::kMessageSize) {
    return Report(pError, kDatagramTooLarge);
  }
  // A receive that failed (nothing in time) leaves 0xFFFFFFFF as the count.
  dwReceived = static_cast<DWORD>(iReceived);
  if (iReceived <= 0) Report(pError, kOk);
  return iReceived == 0 ? kZeroBytes : kOk;
}

DWORD CZqSocketComUdp::Receive(BYTE* pBuffer, DWORD dwBufferSize, DWORD& dwReceived,
                               std::wstring& strSenderAddress, DWORD& dwSenderPort,
                               DWORD dwTimeout) {
  return ReceiveInto(pBuffer, dwBufferSize, true, dwReceived, strSenderAddress, dwSenderPort,
                     nullptr, dwTimeout);
}

DWORD CZqSocketComUdp::Receive(BYTE* pBuffer, DWORD dwBufferSize, DWORD& dwReceived,
                               std::wstring& strSenderAddress, DWORD& dwSenderPort, DWORD& dwError,
                               DWORD dwTimeout) {
  return ReceiveInto(pBuffer, dwBufferSize, true, dwReceived, strSenderAddress, dwSenderPort,
                     &dwError, dwTimeout);
}

DWORD CZqSocketComUdp::Receive(BYTE* pBuffer, DWORD& dwReceived, std::wstring& strSenderAddress,
                               DWORD& dwSenderPort, DWORD dwTimeout) {
  return ReceiveInto(pBuffer, kFixedBufferSize, false, dwReceived, strSenderAddress, dwSenderPort,
                     nullptr, dwTimeout);
}

DWORD CZqSocketComUdp::Receive(BYTE* pBuffer, DWORD& dwReceived, std::wstring& strSenderAddress,
                               DWORD& dwSenderPort, DWORD& dwError, DWORD dwTimeout) {
  return ReceiveInto(pBuffer, kFixedBufferSize, false, dwReceived, strSenderAddress, dwSenderPort,
                     &dwError, dwTimeout);
}
