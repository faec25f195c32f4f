#include "messaging/MessageStream.h"

#include <algorithm>
#include <cstring>

namespace corvane::detail {
namespace {

constexpr std::size_t kReadChunk = 64 * 1024;
// Bytes taken from the socket per notification; the loop comes back for more.
constexpr std::size_t kReadPerNotification = 1024 * 1024;

}  // namespace

MessageStream::MessageStream(platform::TcpStreamSocket& socket)
    : m_socket(socket), m_archiveOut(*this, kOutputBufferSize) {}

MessageStream::~MessageStream() = default;

bool MessageStream::Write(const BYTE* pData, std::size_t uiLength) {
  int error = 0;
  if (!m_bQueued) return m_socket.WriteAll(pData, uiLength, kSendTimeoutMs, error);
  std::size_t written = 0;
  if (Pending() == 0 && !m_socket.WriteSome(pData, uiLength, written, error)) return false;
  m_pending.insert(m_pending.end(), pData + written, pData + uiLength);
  return true;
}

bool MessageStream::FlushPending() {
  std::size_t written = 0;
  int error = 0;
  if (!m_socket.WriteSome(m_pending.data() + m_uiPendingPos, Pending(), written, error)) return false;
  m_uiPendingPos += written;
  if (Pending() == 0) {
    m_pending = {};  // the memory goes too: a burst is no reason to keep it
    m_uiPendingPos = 0;
  } else if (m_uiPendingPos > m_pending.size() / 2) {
    m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(m_uiPendingPos));
    m_uiPendingPos = 0;
  }
  return true;
}

bool MessageStream::FlushPendingWaiting() {
  int error = 0;
  const bool bSent = m_socket.WriteAll(m_pending.data() + m_uiPendingPos, Pending(), kSendTimeoutMs, error);
  m_pending = {};
  m_uiPendingPos = 0;
  return bSent;
}

void MessageStream::AbortOutput() {
  m_archiveOut.Abort();
  m_pending = {};
  m_uiPendingPos = 0;
}

bool MessageStream::Send(CCorvaneMessage& msg, bool& bRefused) {
  bRefused = !FitsTheWire(msg);
  if (bRefused) return false;
  if (Pending() > kPendingLimit) return false;  // the peer does not read
  msg.Serialize(m_archiveOut);
  if (!m_archiveOut.Flush()) {
    m_archiveOut.Abort();
    return false;
  }
  return true;
}

bool MessageStream::ReceiveAvailable(int& iError) {
  iError = 0;
  std::size_t total = 0;
  while (total < kReadPerNotification) {
    Reserve(kReadChunk);
    std::size_t room = m_uiCapacity - m_uiSize;
    std::size_t got = 0;
    int error = 0;
    auto status = m_socket.Read(m_pInput.get() + m_uiSize, room, got, error);
    if (status == platform::TcpStreamSocket::ReadStatus::kError) iError = error;
    if (status == platform::TcpStreamSocket::ReadStatus::kEnd) iError = kStreamEnded;
    if (status == platform::TcpStreamSocket::ReadStatus::kData) {
      m_uiSize += got;
      total += got;
      if (got < room) return true;  // drained; the loop reports anything newer
      continue;
    }
    if (status == platform::TcpStreamSocket::ReadStatus::kWouldBlock) return true;
    // End of stream or error: handle what came first; the next notification
    // finds the end again and fails then.
    if (total == 0) return false;
    iError = 0;
    return true;
  }
  return true;
}

MessageStream::Next MessageStream::TakeMessage(CCorvaneMessage& msg) {
  const BYTE* start = m_pInput.get() + m_uiReadPos;
  switch (m_framer.Scan(start, Buffered())) {
    case MessageFramer::Status::kNeedMore:
      Compact();
      return Next::kIncomplete;
    case MessageFramer::Status::kTooLarge:
      return Next::kMalformed;
    case MessageFramer::Status::kComplete:
      break;
  }
  std::size_t size = m_framer.MessageSize();
  CCorvaneArchive archiveIn(start, size);
  msg.Serialize(archiveIn);
  m_framer.Reset();
  m_uiReadPos += size;
  if (Buffered() == 0) m_uiSize = m_uiReadPos = 0;
  return archiveIn.IsOk() ? Next::kMessage : Next::kMalformed;
}

void MessageStream::Compact() {
  if (m_uiReadPos == 0) return;
  std::memmove(m_pInput.get(), m_pInput.get() + m_uiReadPos, Buffered());
  m_uiSize -= m_uiReadPos;
  m_uiReadPos = 0;
}

void MessageStream::Reserve(std::size_t uiMore) {
  if (m_uiCapacity - m_uiSize >= uiMore) return;
  Compact();
  if (m_uiCapacity - m_uiSize >= uiMore) return;
  std::size_t capacity = std::max(2 * m_uiCapacity, m_uiSize + uiMore);
  auto bigger = std::make_unique_for_overwrite<BYTE[]>(capacity);
  if (m_uiSize != 0) std::memcpy(bigger.get(), m_pInput.get(), m_uiSize);
  m_pInput = std::move(bigger);
  m_uiCapacity = capacity;
}

}  // namespace corvane::detail
