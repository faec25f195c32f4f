#include <corvane/CCSock.h>
#include <corvane/CorvaneErrors.h>
#include <corvane/LastError.h>

#include <atomic>

#include "platform/SocketApi.h"
#include "platform/SocketPoll.h"
#include "transport/BlockingCall.h"
#include "transport/Ipv4Text.h"

namespace platform = corvane::platform;
namespace error = corvane::error;
using corvane::detail::BlockingCall;

struct CCSock::State {
  platform::SocketHandle handle;
  platform::SocketKind kind = platform::SocketKind::kStream;
  // Set while a connect or receive waits; a second one meanwhile is refused.
  std::atomic<bool> blocking{false};
};

namespace {

int Fail(DWORD code, int result) {
  corvane::SetLastError(code);
  return result;
}

bool BadBuffer(const void* pBuffer, int nLength) {
  return nLength < 0 || (pBuffer == nullptr && nLength > 0);
}

}  // namespace

CCSock::CCSock() : m_pState(std::make_unique<State>()) {}

CCSock::~CCSock() = default;

BOOL CCSock::Create(UINT nSocketPort, int nSocketType, const std::wstring& strSocketAddress) {
  if (m_pState->handle.IsValid()) return Fail(error::kInvalidArgument, 0);
  if (nSocketType != kStream && nSocketType != kDatagram) {
    return Fail(error::kSocketTypeNotSupported, 0);
  }
  if (nSocketPort > 0xFFFF) return Fail(error::kInvalidArgument, 0);
  platform::Ipv4Endpoint local{platform::kAnyAddress, static_cast<WORD>(nSocketPort)};
  if (!strSocketAddress.empty() && !ResolveAddress(strSocketAddress, local.address)) return 0;
  const auto kind =
      nSocketType == kStream ? platform::SocketKind::kStream : platform::SocketKind::kDatagram;
  platform::SocketHandle handle = platform::OpenSocket(kind);
  if (!handle.IsValid() || !platform::Bind(handle.Get(), local)) return 0;
  m_pState->handle = std::move(handle);
  m_pState->kind = kind;
  return 1;
}

void CCSock::Close() { m_pState->handle.Reset(); }

BOOL CCSock::IsCreated() const { return m_pState->handle.IsValid(); }

BOOL CCSock::Connect(const std::wstring& strHostAddress, UINT nHostPort) {
  if (!IsCreated()) return Fail(error::kNotSocket, 0);
  BlockingCall call(m_pState->blocking);
  if (!call.Entered()) return Fail(error::kInProgress, 0);
  platform::Ipv4Endpoint remote{0, static_cast<WORD>(nHostPort)};
  if (nHostPort > 0xFFFF) return Fail(error::kInvalidArgument, 0);
  if (!ResolveAddress(strHostAddress, remote.address)) return 0;
  const int fd = m_pState->handle.Get();
  switch (platform::StartConnect(fd, remote)) {
    case platform::ConnectStart::kConnected:
      m_bClosed = 0;
      return 1;
    case platform::ConnectStart::kFailed:
      return 0;
    case platform::ConnectStart::kPending:
      break;
  }
  const auto deadline = platform::MonotonicDeadline::AfterMs(m_dwTimeoutConnection);
  const auto waited = platform::WaitWritable(fd, deadline);
  if (waited == platform::WaitResult::kTimedOut) return Fail(error::kTimedOut, 0);
  if (waited != platform::WaitResult::kReady || !platform::FinishConnect(fd)) return 0;
  m_bClosed = 0;
  return 1;
}

int CCSock::Receive(void* pBuffer, int nBufferLength, int /*nFlags*/) {
  if (!IsCreated()) return Fail(error::kNotSocket, -1);
  BlockingCall call(m_pState->blocking);
  if (!call.Entered()) return Fail(error::kInProgress, 0);
  if (BadBuffer(pBuffer, nBufferLength)) return Fail(error::kBadAddress, -1);
  const int fd = m_pState->handle.Get();
  const auto deadline = platform::MonotonicDeadline::AfterMs(m_dwTimeoutRead);
  for (;;) {
    const long received =
        platform::ReceiveStream(fd, pBuffer, static_cast<std::size_t>(nBufferLength));
    if (received > 0) return static_cast<int>(received);
    if (received == 0) {
      if (nBufferLength > 0) OnClose(0);
      return 0;
    }
    if (GetLastError() != error::kWouldBlock) return -1;
    const auto waited = platform::WaitReadable(fd, deadline);
    if (waited == platform::WaitResult::kTimedOut) return Fail(error::kTimedOut, -1);
    if (waited != platform::WaitResult::kReady) return -1;
  }
}

int CCSock::ReceiveFrom(void* pBuffer, int nBufferLength, std::wstring& strSocketAddress,
                        UINT& nSocketPort, int /*nFlags*/) {
  if (!IsCreated()) return Fail(error::kNotSocket, -1);
  BlockingCall call(m_pState->blocking);
  if (!call.Entered()) return Fail(error::kInProgress, 0);
  if (BadBuffer(pBuffer, nBufferLength)) return Fail(error::kBadAddress, -1);
  const int fd = m_pState->handle.Get();
  const auto deadline = platform::MonotonicDeadline::AfterMs(m_dwTimeoutReceiveFrom);
  for (;;) {
    platform::Ipv4Endpoint from;
    bool truncated = false;
    const long size = platform::ReceiveDatagram(
        fd, pBuffer, static_cast<std::size_t>(nBufferLength), from, truncated);
    if (size >= 0) {
      strSocketAddress = corvane::detail::FormatIpv4(from.address);
      nSocketPort = from.port;
      if (truncated) return Fail(error::kMessageSize, -1);
      return Fail(error::kNone, static_cast<int>(size));
    }
    if (GetLastError() != error::kWouldBlock) return -1;
    const auto waited = platform::WaitReadable(fd, deadline);
    if (waited == platform::WaitResult::kTimedOut) return Fail(error::kTimedOut, -1);
    if (waited != platform::WaitResult::kReady) return -1;
  }
}

int CCSock::Send(const void* pBuffer, int nBufferLength, int /*nFlags*/) {
  if (!IsCreated()) return Fail(error::kNotSocket, -1);
  if (BadBuffer(pBuffer, nBufferLength)) return Fail(error::kBadAddress, -1);
  const auto* bytes = static_cast<const BYTE*>(pBuffer);
  int total = 0;
  do {
    const long sent = platform::SendStream(m_pState->handle.Get(), bytes + total,
                                           static_cast<std::size_t>(nBufferLength - total));
    if (sent < 0) return -1;
    total += static_cast<int>(sent);
  } while (total < nBufferLength);
  return total;
}

int CCSock::SendTo(const void* pBuffer, int nBufferLength, UINT nHostPort,
                   const std::wstring& strHostAddress, int /*nFlags*/) {
  DWORD address = 0;
  if (!ResolveAddress(strHostAddress, address)) return -1;
  return SendToAddress(pBuffer, nBufferLength, nHostPort, address);
}

int CCSock::SendToAddress(const void* pBuffer, int nBufferLength, UINT nHostPort, DWORD dwAddress) {
  if (!IsCreated()) return Fail(error::kNotSocket, -1);
  if (BadBuffer(pBuffer, nBufferLength)) return Fail(error::kBadAddress, -1);
  if (nHostPort > 0xFFFF) return Fail(error::kInvalidArgument, -1);
  const platform::Ipv4Endpoint to{dwAddress, static_cast<WORD>(nHostPort)};
  const long sent = platform::SendDatagram(m_pState->handle.Get(), pBuffer,
                                           static_cast<std::size_t>(nBufferLength), to);
  return static_cast<int>(sent);
}

BOOL CCSock::ResolveAddress(const std::wstring& strHostAddress, DWORD& dwAddress) {
  if (strHostAddress.empty()) return Fail(error::kHostNotFound, 0);
  return platform::ResolveIpv4(corvane::detail::NarrowText(strHostAddress), dwAddress) ? 1 : 0;
}

BOOL CCSock::SetBroadcast(BOOL bEnable) {
  if (!IsCreated()) return Fail(error::kNotSocket, 0);
  return platform::SetBroadcast(m_pState->handle.Get(), bEnable != 0) ? 1 : 0;
}

BOOL CCSock::SetReceiveBufferSize(int nBytes) {
  if (!IsCreated()) return Fail(error::kNotSocket, 0);
  return platform::SetReceiveBufferSize(m_pState->handle.Get(), nBytes) ? 1 : 0;
}

BOOL CCSock::GetSockName(std::wstring& strSocketAddress, UINT& nSocketPort) const {
  if (!IsCreated()) return Fail(error::kNotSocket, 0);
  platform::Ipv4Endpoint local;
  if (!platform::LocalEndpoint(m_pState->handle.Get(), local)) return 0;
  strSocketAddress = corvane::detail::FormatIpv4(local.address);
  nSocketPort = local.port;
  return 1;
}

BOOL CCSock::IsBlocking() const { return m_pState->blocking.load() ? 1 : 0; }

int CCSock::GetNativeHandle() const { return m_pState->handle.Get(); }

DWORD CCSock::GetLastError() { return corvane::GetLastError(); }

void CCSock::OnClose(int /*nErrorCode*/) { m_bClosed = 1; }
