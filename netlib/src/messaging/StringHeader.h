#pragma once
// The header of a string in the archive's string format: either the wide form
// (byte FF, tag FFFE, then the length) or the 8-bit form (the length alone).
// A length is one byte below FF; else FF and a 16-bit length below FFFF; else
// FFFF and a 32-bit length below FFFFFFFF; else FFFFFFFF and a 64-bit length.
#include <cstddef>
#include <cstdint>

namespace corvane::detail {

struct StringHeader {
  std::size_t uiHeaderSize = 0;   // bytes of tag and length
  std::uint64_t uiLength = 0;     // characters
  bool bWide = false;             // 2 bytes per character, else 1
};

// Decodes the header at pData. Returns false when the uiAvailable bytes end
// before the header does.
bool ParseStringHeader(const std::uint8_t* pData, std::size_t uiAvailable, StringHeader& header);

// Bytes of the characters, or UINT64_MAX when that does not fit 64 bits.
std::uint64_t StringPayloadSize(const StringHeader& header);

}  // namespace corvane::detail
