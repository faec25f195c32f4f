#include "messaging/CCorvaneSocket.h"

namespace corvane::detail {
namespace {

// A message is at least 8 bytes, so fewer than 6 readable bytes are not worth
// a read notification.
constexpr long kMinReadable = 6;

}  // namespace

CCorvaneSocket::~CCorvaneSocket() {
  m_pWatch.reset();  // before the descriptor closes
  m_pStream.reset();
}

bool CCorvaneSocket::AttachConnection(std::unique_ptr<platform::TcpStreamSocket> socket) {
  m_pSocket = std::move(socket);
  m_pStream = std::make_unique<MessageStream>(*m_pSocket);
  return Watch();
}

bool CCorvaneSocket::AttachListener(std::unique_ptr<platform::TcpStreamSocket> socket) {
  m_pSocket = std::move(socket);
  return Watch();
}

bool CCorvaneSocket::Watch() {
  m_pWatch = m_loop.WatchReadable(m_pSocket->Fd(), [this] { OnReadable(); });
  return m_pWatch != nullptr;
}

void CCorvaneSocket::CloseStreams() {
  m_pWatch.reset();
  if (m_pStream) m_pStream->AbortOutput();
  m_pStream.reset();
}

void CCorvaneSocket::OnReadable() {
  // The handlers below may destroy this object: nothing follows them.
  if (!m_pStream) {
    OnAccept(0);
    return;
  }
  int error = 0;
  long readable = m_pSocket->ReadableBytes(error);
  if (readable < 0) {
    OnReceive(error);
    return;
  }
  // Nothing readable on a ready socket means end of stream or an error,
  // which the read reports.
  if (readable > 0 && readable + static_cast<long>(m_pStream->Buffered()) < kMinReadable) {
    // Too few bytes to act on: keep them, so the socket does not stay ready,
    // and act when more arrive.
    if (m_pStream->ReceiveAvailable()) return;
  }
  OnReceive(0);
}

}  // namespace corvane::detail
