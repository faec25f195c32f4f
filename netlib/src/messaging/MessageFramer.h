#pragma once
// Finds where a serialised message ends in bytes that arrive piecemeal,
// without building anything: it walks the element headers and skips the
// payloads. The scan resumes where the previous call stopped, so a message
// that comes in many pieces is walked once. It refuses messages larger than
// CCorvaneMessage::kMaxWireSize bytes or with more than kMaxElements
// elements as soon as the
// announced sizes show it, before the bytes are there.
#include <corvane/CCorvaneMessage.h>

#include <cstddef>
#include <cstdint>

namespace corvane::detail {

class MessageFramer {
 public:
  enum class Status { kNeedMore, kComplete, kTooLarge };

  // pData holds the uiAvailable bytes received so far from the start of the
  // message; the bytes seen by earlier calls must be unchanged.
  Status Scan(const std::uint8_t* pData, std::size_t uiAvailable);
  // The message's size once Scan returned kComplete.
  std::size_t MessageSize() const { return m_uiOffset; }
  // Starts over for the next message.
  void Reset() { *this = MessageFramer(); }

 private:
  // Size of the element at m_uiOffset, 0 when its header is not all there.
  std::uint64_t ElementSize(const std::uint8_t* pData, std::size_t uiAvailable) const;

  std::size_t m_uiOffset = 0;
  bool m_bHeaderDone = false;
  std::int64_t m_lRemaining = 0;
};

// Bytes that msg takes on the wire.
std::uint64_t WireSize(const CCorvaneMessage& msg);
// Whether a peer accepts msg: neither too large nor too many elements.
bool FitsTheWire(const CCorvaneMessage& msg);

}  // namespace corvane::detail
