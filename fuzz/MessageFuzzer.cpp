// Fuzzes what a peer controls: loading a message from arbitrary bytes, and
// finding message boundaries in a stream that arrives in pieces. Checks that
// the boundary finder and the loader agree on every message, and that a
// loaded message serialises to bytes that load back to the same bytes.
#include <corvane/CCorvaneArchive.h>
#include <corvane/CCorvaneMessage.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "messaging/MessageFramer.h"

namespace {

class VectorSink : public CCorvaneArchive::Sink {
 public:
  bool Write(const BYTE* pData, std::size_t uiLength) override {
    bytes.insert(bytes.end(), pData, pData + uiLength);
    return true;
  }
  std::vector<BYTE> bytes;
};

std::vector<BYTE> Store(CCorvaneMessage& msg) {
  VectorSink sink;
  CCorvaneArchive ar(sink);
  msg.Serialize(ar);
  if (!ar.Flush()) std::abort();
  return sink.bytes;
}

void Require(bool condition) {
  if (!condition) std::abort();
}

// Loads the message of exactly uiSize bytes that the framer found.
void LoadFramed(const std::uint8_t* pData, std::size_t uiSize) {
  CCorvaneArchive ar(pData, uiSize);
  CCorvaneMessage msg;
  msg.Serialize(ar);
  Require(ar.IsOk());
  Require(ar.GetUnreadCount() == 0);
  std::vector<BYTE> once = Store(msg);
  CCorvaneArchive again(once.data(), once.size());
  CCorvaneMessage copy;
  copy.Serialize(again);
  Require(again.IsOk() && again.GetUnreadCount() == 0);
  Require(Store(copy) == once);
}

// Feeds the stream in pieces whose sizes come from the first byte, as a
// connection's reader does, and loads each message the framer completes.
void ReadStream(const std::uint8_t* pData, std::size_t uiSize, std::size_t uiPiece) {
  corvane::detail::MessageFramer framer;
  std::size_t start = 0;
  std::size_t available = 0;
  while (available < uiSize) {
    available = std::min(uiSize, available + uiPiece);
    for (;;) {
      auto status = framer.Scan(pData + start, available - start);
      if (status == corvane::detail::MessageFramer::Status::kTooLarge) return;
      if (status == corvane::detail::MessageFramer::Status::kNeedMore) break;
      Require(framer.MessageSize() <= available - start);
      LoadFramed(pData + start, framer.MessageSize());
      start += framer.MessageSize();
      framer.Reset();
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  if (uiSize == 0) return 0;
  std::size_t piece = 1 + pData[0] % 64;
  ++pData;
  --uiSize;

  // Loading the whole input directly: must fail cleanly or succeed.
  CCorvaneArchive ar(pData, uiSize);
  CCorvaneMessage msg;
  msg.Serialize(ar);
  if (ar.IsOk()) {
    // What the loader accepted, the framer must find with the same size.
    std::size_t used = uiSize - ar.GetUnreadCount();
    corvane::detail::MessageFramer framer;
    if (framer.Scan(pData, uiSize) == corvane::detail::MessageFramer::Status::kComplete) {
      Require(framer.MessageSize() == used);
    }
  }
  ReadStream(pData, uiSize, piece);
  return 0;
}
