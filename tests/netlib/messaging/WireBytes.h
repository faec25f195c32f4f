#pragma once
// Helpers shared by the messaging tests: serialising into a byte vector.
#include <corvane/CCorvaneArchive.h>
#include <corvane/CCorvaneMessage.h>

#include <vector>

namespace corvane::testing {

class VectorSink : public CCorvaneArchive::Sink {
 public:
  bool Write(const BYTE* pData, std::size_t uiLength) override {
    bytes.insert(bytes.end(), pData, pData + uiLength);
    return !failing;
  }
  std::vector<BYTE> bytes;
  bool failing = false;
};

inline std::vector<BYTE> ToBytes(CCorvaneMessage msg) {
  VectorSink sink;
  CCorvaneArchive ar(sink);
  msg.Serialize(ar);
  ar.Flush();
  return sink.bytes;
}

// Control messages as they travel: closing (-4), server stopping (-1),
// disconnected by the server (-5).
inline const std::vector<BYTE> kClosing = {0xFC, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
inline const std::vector<BYTE> kStopping = {0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
inline const std::vector<BYTE> kDisconnects = {0xFB, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};

inline std::vector<BYTE> Concat(std::initializer_list<std::vector<BYTE>> parts) {
  std::vector<BYTE> all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

}  // namespace corvane::testing
