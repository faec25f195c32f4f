#pragma once
// Sends a buffer as successive chunks of at most `chunk` bytes, each starting
// where the previous one ended; a length of 0 makes one empty send. Stops at
// the first chunk that `send` does not take whole.
#include <corvane/CorvaneTypes.h>

#include <algorithm>

namespace corvane::detail {

template <class SendFunction>
bool SendInChunks(const BYTE* pBuffer, int iLength, int iChunk, SendFunction&& send) {
  int iOffset = 0;
  do {
    const int iPart = std::min(iLength - iOffset, iChunk);
    if (send(pBuffer + iOffset, iPart) != iPart) return false;
    iOffset += iPart;
  } while (iOffset < iLength);
  return true;
}

}  // namespace corvane::detail
