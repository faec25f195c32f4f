#include "messaging/CCorvaneSocket.h"

namespace corvane::detail {
namespace {

// A message is at least 8 bytes, so fewer than 6 readable bytes are not worth
// a read notification.
constexpr std::size_t kMinReadable = 6;

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
  // The bytes are taken at once, so that the socket does not stay ready;
  // fewer than kMinReadable of them wait for more before anything is done.
  int error = 0;
  bool bRead = m_pStream->ReceiveAvailable(error);
  if (bRead && m_pStream->Buffered() < kMinReadable) return;
  OnReceive(error);
}

}  // namespace corvane::detail
