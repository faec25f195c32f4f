#pragma once
// The stream of one message connection: gathers received bytes until a
// message is whole (reading never waits), loads whole messages, and sends a
// message by serialising it into the output archive and flushing at once.
#include <corvane/CCorvaneArchive.h>
#include <corvane/CCorvaneMessage.h>

#include <cstddef>
#include <memory>
#include <vector>

#include "messaging/MessageFramer.h"
#include "platform/TcpStreamSocket.h"

namespace corvane::detail {

class MessageStream : private CCorvaneArchive::Sink {
 public:
  enum class Next { kMessage, kIncomplete, kMalformed };

  // How long a send waits for the peer to make room before it fails.
  static constexpr int kSendTimeoutMs = 10000;
  // Bytes of the output buffer: most messages leave in one write.
  static constexpr std::size_t kOutputBufferSize = 64 * 1024;

  explicit MessageStream(platform::TcpStreamSocket& socket);
  ~MessageStream() override;
  MessageStream(const MessageStream&) = delete;
  MessageStream& operator=(const MessageStream&) = delete;

  // Serialises and flushes msg. A message no peer accepts (FitsTheWire) is
  // refused before any byte leaves (false, bRefused set); a failed write
  // aborts the output archive and returns false.
  bool Send(CCorvaneMessage& msg, bool& bRefused);
  void AbortOutput();

  // Queued output, for a server, which must not wait for any one peer: what
  // the socket does not take at once is kept, and the owner hands it over
  // (FlushPending) whenever the socket can take more. A peer that leaves
  // more than kPendingLimit bytes untaken does not read: the next send to it
  // fails, so a peer holds at most that plus one message.
  static constexpr std::size_t kPendingLimit = 1024 * 1024;
  void QueueOutput() { m_bQueued = true; }
  std::size_t Pending() const { return m_pending.size() - m_uiPendingPos; }
  // Hands over what the socket takes now; false when the connection failed.
  bool FlushPending();
  // Waits up to kSendTimeoutMs for the pending bytes to go (for a loop that
  // cannot watch for room); false when they did not.
  bool FlushPendingWaiting();

  // Error code of a stream that ended.
  static constexpr int kStreamEnded = -1;

  // Moves what the socket holds into the input buffer. False when the read
  // failed, or the stream ended before any new byte came; iError then tells
  // the platform's error code or kStreamEnded.
  bool ReceiveAvailable(int& iError);
  // Unread bytes held in the input buffer.
  std::size_t Buffered() const { return m_uiSize - m_uiReadPos; }
  // Takes the next whole message from the input buffer.
  Next TakeMessage(CCorvaneMessage& msg);

 private:
  bool Write(const BYTE* pData, std::size_t uiLength) override;
  void Compact();
  // Makes room for uiMore bytes behind the buffered ones.
  void Reserve(std::size_t uiMore);

  platform::TcpStreamSocket& m_socket;
  CCorvaneArchive m_archiveOut;
  bool m_bQueued = false;
  // Queued output: bytes [m_uiPendingPos, size) are still to be sent.
  std::vector<BYTE> m_pending;
  std::size_t m_uiPendingPos = 0;
  // Input buffer: bytes [m_uiReadPos, m_uiSize) are unread.
  std::unique_ptr<BYTE[]> m_pInput;
  std::size_t m_uiCapacity = 0;
  std::size_t m_uiSize = 0;
  std::size_t m_uiReadPos = 0;
  MessageFramer m_framer;
};

}  // namespace corvane::detail
