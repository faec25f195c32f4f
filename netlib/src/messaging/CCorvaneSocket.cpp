#include "messaging/CCorvaneSocket.h"

namespace corvane::detail {
namespace {

// A message is at least 8 bytes, so fewer than 6 readable bytes are not worth
// a read notification.
constexpr std::size_t kMinReadable = 6;

}  // namespace

CCorvaneSocket::~CCorvaneSocket() {
  m_pWatch.reset();  // before the descriptor closes
  m_pWriteWatch.reset();
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
  m_pWriteWatch.reset();
  if (m_pStream) {
    m_pStream->FlushPending();  // a last message (server disconnects) may still fit
    m_pStream->AbortOutput();
  }
  m_pStream.reset();
}

void CCorvaneSocket::QueueOutput() {
  if (m_pStream) m_pStream->QueueOutput();
}

bool CCorvaneSocket::SendPending() {
  if (!m_pStream || m_pStream->Pending() == 0 || m_pWriteWatch) return true;
  m_pWriteWatch = m_loop.WatchWritable(m_pSocket->Fd(), [this] { OnWritable(); });
  return m_pWriteWatch != nullptr || m_pStream->FlushPendingWaiting();
}

void CCorvaneSocket::OnWritable() {
  const bool bSent = m_pStream && m_pStream->FlushPending();
  if (bSent && m_pStream->Pending() != 0) return;  // more once the socket takes more
  m_pWriteWatch.reset();  // a callback may end its own watch
  if (!bSent && m_pStream) OnSendFailed();  // may destroy this object: nothing follows
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
