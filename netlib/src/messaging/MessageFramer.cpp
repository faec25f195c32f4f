#include "messaging/MessageFramer.h"

#include "messaging/StringHeader.h"

namespace corvane::detail {
namespace {

constexpr std::size_t kMessageHeaderSize = 8;
constexpr std::uint64_t kMinElementSize = 2;  // code and an empty 8-bit string

std::uint32_t ReadLe32(const std::uint8_t* p) {
  return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
         std::uint32_t{p[3]} << 24;
}

}  // namespace

std::uint64_t MessageFramer::ElementSize(const std::uint8_t* pData, std::size_t uiAvailable) const {
  const std::uint8_t* p = pData + m_uiOffset;
  std::size_t avail = uiAvailable - m_uiOffset;
  if (avail < 1) return 0;
  if (p[0] == DT_BUFFER) {
    if (avail < 5) return 0;
    return 5 + std::uint64_t{ReadLe32(p + 1)};
  }
  if (p[0] != DT_STRING) return 9;
  StringHeader header;
  if (!ParseStringHeader(p + 1, avail - 1, header)) return 0;
  std::uint64_t payload = StringPayloadSize(header);
  if (payload > CCorvaneMessage::kMaxWireSize) return UINT64_MAX;
  return 1 + header.uiHeaderSize + payload;
}

MessageFramer::Status MessageFramer::Scan(const std::uint8_t* pData, std::size_t uiAvailable) {
  if (!m_bHeaderDone) {
    if (uiAvailable < kMessageHeaderSize) return Status::kNeedMore;
    auto count = static_cast<std::int32_t>(ReadLe32(pData + 4));
    m_lRemaining = count > 0 ? count : 0;
    if (m_lRemaining > CCorvaneMessage::kMaxElements ||
        kMessageHeaderSize + kMinElementSize * static_cast<std::uint64_t>(m_lRemaining) >
            CCorvaneMessage::kMaxWireSize) {
      return Status::kTooLarge;
    }
    m_uiOffset = kMessageHeaderSize;
    m_bHeaderDone = true;
  }
  while (m_lRemaining > 0) {
    std::uint64_t size = ElementSize(pData, uiAvailable);
    if (size == 0) return Status::kNeedMore;
    if (size > CCorvaneMessage::kMaxWireSize - m_uiOffset) return Status::kTooLarge;
    if (m_uiOffset + size > uiAvailable) return Status::kNeedMore;
    m_uiOffset += static_cast<std::size_t>(size);
    --m_lRemaining;
  }
  return Status::kComplete;
}

}  // namespace corvane::detail

namespace corvane::detail {

struct MessageAccess {
  static const std::vector<CCorvaneMessageData>& Elements(const CCorvaneMessage& msg) {
    return msg.m_arData;
  }
};

namespace {

std::uint64_t StringWireSize(const std::wstring& text) {
  std::uint64_t units = text.size();
  for (wchar_t c : text) {
    if (static_cast<char32_t>(c) > 0xFFFF && static_cast<char32_t>(c) <= 0x10FFFF) ++units;
  }
  std::uint64_t lengthField = units < 0xFF ? 1 : units < 0xFFFE ? 3 : units < 0xFFFFFFFFu ? 7 : 15;
  return 3 + lengthField + 2 * units;
}

}  // namespace

std::uint64_t WireSize(const CCorvaneMessage& msg) {
  std::uint64_t size = kMessageHeaderSize;
  for (const CCorvaneMessageData& e : MessageAccess::Elements(msg)) {
    if (e.m_type == DT_STRING) {
      size += 1 + StringWireSize(e.m_strValue);
    } else if (e.m_type == DT_BUFFER) {
      size += 5 + std::uint64_t{e.m_buffer.GetSize()};
    } else {
      size += 9;
    }
  }
  return size;
}

bool FitsTheWire(const CCorvaneMessage& msg) {
  // The count first: it is cheap, and it bounds the size walk.
  return msg.GetNbElements() <= CCorvaneMessage::kMaxElements &&
         WireSize(msg) <= CCorvaneMessage::kMaxWireSize;
}

}  // namespace corvane::detail
