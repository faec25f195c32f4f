#include <corvane/CZqSocketComTcp.h>
#include <corvane/CorvaneErrors.h>
#include <corvane/LastError.h>

#include <algorithm>

#include "transport/ChunkedSend.h"
#include "transport/Ipv4Text.h"

namespace {

DWORD Fail(DWORD* pdwError, DWORD dwStatus) {
  if (pdwError != nullptr) *pdwError = CCSock::GetLastError();
  return dwStatus;
}

void Clear(DWORD* pdwError) {
  if (pdwError != nullptr) *pdwError = 0;
}

}  // namespace

CZqSocketComTcp::CZqSocketComTcp() = default;

CZqSocketComTcp::~CZqSocketComTcp() = default;

DWORD CZqSocketComTcp::InitSocket(const std::wstring& strAddress, DWORD dwPort) {
  return InitSocket(strAddress, dwPort, nullptr);
}

DWORD CZqSocketComTcp::InitSocket(const std::wstring& strAddress, DWORD dwPort,
                                  DWORD* pdwError) {
  Clear(pdwError);
  m_Socket.Set_m_dwTimeoutConnection(m_dwTimeoutConnection);
  if (!m_Socket.Create(0, CCSock::kStream)) return Fail(pdwError, kCreateFailed);
  if (dwPort > 0xFFFF) {
    corvane::SetLastError(corvane::error::kInvalidArgument);
    return Fail(pdwError, kConnectFailed);
  }
  if (!m_Socket.Connect(strAddress, dwPort)) return Fail(pdwError, kConnectFailed);
  m_strIPAddress = strAddress;
  return kOk;
}

DWORD CZqSocketComTcp::Send(const BYTE* pBuffer, int iLength) {
  return Send(pBuffer, iLength, nullptr);
}

DWORD CZqSocketComTcp::Send(const BYTE* pBuffer, int iLength, DWORD* pdwError) {
  Clear(pdwError);
  if (iLength < 0 || (pBuffer == nullptr && iLength > 0)) {
    corvane::SetLastError(corvane::error::kBadAddress);
    return Fail(pdwError, kNotSentWhole);
  }
  const bool bSent = corvane::detail::SendInChunks(
      pBuffer, iLength, kSendChunk,
      [this](const BYTE* pChunk, int iChunk) { return m_Socket.Send(pChunk, iChunk); });
  return bSent ? kOk : Fail(pdwError, kNotSentWhole);
}

DWORD CZqSocketComTcp::SendChar(BYTE btValue) { return SendChar(btValue, nullptr); }

DWORD CZqSocketComTcp::SendChar(BYTE btValue, DWORD* pdwError) {
  Clear(pdwError);
  return m_Socket.Send(&btValue, 1) == 1 ? kOk : Fail(pdwError, kNotSentWhole);
}

DWORD CZqSocketComTcp::Send(const std::wstring& strText) { return Send(strText, nullptr); }

DWORD CZqSocketComTcp::Send(const std::wstring& strText, DWORD* pdwError) {
  Clear(pdwError);
  if (strText.size() >= kMaxTextLength) return kTextTooLong;
  const std::string bytes = corvane::detail::NarrowText(strText);
  return Send(reinterpret_cast<const BYTE*>(bytes.data()), static_cast<int>(bytes.size()),
              pdwError);
}

DWORD CZqSocketComTcp::Receive(BYTE* pBuffer, int iSize) {
  return Receive(pBuffer, iSize, nullptr, nullptr);
}

DWORD CZqSocketComTcp::Receive(BYTE* pBuffer, int iSize, DWORD* pdwReceived, DWORD* pdwError) {
  Clear(pdwError);
  m_Socket.Set_m_dwTimeoutRead(m_dwTimeoutRead);
  int iTotal = 0;
  while (iTotal < iSize) {
    const int iRead = m_Socket.Receive(pBuffer + iTotal, iSize - iTotal);
    if (iRead <= 0) {
      // A closed connection leaves no socket error; say what happened.
      if (iRead == 0) corvane::SetLastError(corvane::error::kDisconnected);
      return Fail(pdwError, kReceiveFailed);
    }
    iTotal += iRead;
  }
  m_dwBytesReceived = static_cast<DWORD>(iTotal);
  if (pdwReceived != nullptr) *pdwReceived = m_dwBytesReceived;
  return kOk;
}

DWORD CZqSocketComTcp::ReceiveNoSize(BYTE* pBuffer, int* piReceived, BOOL bLoop) {
  return ReceiveNoSize(pBuffer, kReadChunk, piReceived, nullptr, bLoop);
}

DWORD CZqSocketComTcp::ReceiveNoSize(BYTE* pBuffer, int* piReceived, DWORD* pdwError,
                                     BOOL bLoop) {
  return ReceiveNoSize(pBuffer, kReadChunk, piReceived, pdwError, bLoop);
}

DWORD CZqSocketComTcp::ReceiveNoSize(BYTE* pBuffer, int iCapacity, int* piReceived,
                                     DWORD* pdwError, BOOL bLoop) {
  Clear(pdwError);
  m_Socket.Set_m_dwTimeoutRead(m_dwTimeoutRead);
  iCapacity = std::max(iCapacity, 0);
  int iTotal = 0;
  do {
    const int iRead = m_Socket.Receive(pBuffer + iTotal, std::min(iCapacity - iTotal, kReadChunk));
    if (iRead <= 0) break;
    iTotal += iRead;
  } while (bLoop && iTotal < iCapacity);
  if (iTotal > 0) {
    if (piReceived != nullptr) *piReceived = iTotal;
    return kOk;
  }
  if (!bLoop && piReceived != nullptr) *piReceived = 0;
  return Fail(pdwError, kReceiveFailed);
}

void CZqSocketComTcp::SetNetCommTimeouts(DWORD dwConnection, DWORD dwRead, BOOL bUseDefaults) {
  if (bUseDefaults) {
    m_dwTimeoutConnection = kDefaultConnectionTimeout;
    m_dwTimeoutRead = kDefaultReadTimeout;
    return;
  }
  if (dwConnection != 0) m_dwTimeoutConnection = dwConnection;
  if (dwRead != 0) m_dwTimeoutRead = dwRead;
}

void CZqSocketComTcp::Close() { m_Socket.Close(); }
