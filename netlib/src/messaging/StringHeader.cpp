#include "messaging/StringHeader.h"

#include <limits>

namespace corvane::detail {
namespace {

std::uint64_t ReadLe(const std::uint8_t* p, std::size_t width) {
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < width; ++i) v |= std::uint64_t{p[i]} << (8 * i);
  return v;
}

// The escalating length that starts at pData[offset].
bool ParseLength(const std::uint8_t* p, std::size_t avail, std::size_t offset, StringHeader& h) {
  static constexpr std::size_t kWidths[] = {1, 2, 4, 8};
  for (std::size_t width : kWidths) {
    if (avail < offset + width) return false;
    std::uint64_t v = ReadLe(p + offset, width);
    offset += width;
    std::uint64_t escape = width == 8 ? 0 : (std::uint64_t{1} << (8 * width)) - 1;
    if (width == 8 || v < escape) {
      h.uiHeaderSize = offset;
      h.uiLength = v;
      return true;
    }
  }
  return false;
}

}  // namespace

bool ParseStringHeader(const std::uint8_t* pData, std::size_t uiAvailable, StringHeader& header) {
  if (uiAvailable < 1) return false;
  header.bWide = false;
  if (pData[0] == 0xFF) {
    if (uiAvailable < 3) return false;
    if (ReadLe(pData + 1, 2) == 0xFFFE) {
      header.bWide = true;
      return ParseLength(pData, uiAvailable, 3, header);
    }
  }
  return ParseLength(pData, uiAvailable, 0, header);
}

std::uint64_t StringPayloadSize(const StringHeader& header) {
  if (!header.bWide) return header.uiLength;
  if (header.uiLength > std::numeric_limits<std::uint64_t>::max() / 2) {
    return std::numeric_limits<std::uint64_t>::max();
  }
  return header.uiLength * 2;
}

}  // namespace corvane::detail
