// Fuzzes the decoders of the printer link's typed answers, which read what
// a printer (or anybody answering in its place) sends: each gets its own
// copy of the answer, as the decoders overwrite the unit suffix.
#include <corvane/CZqSyncSocketCom.h>

#include <vector>

#include "FuzzInput.h"

namespace {

template <typename T>
void Decode(BOOL (CZqSyncSocketCom::*decoder)(BYTE*, DWORD, T*), CZqSyncSocketCom& link,
            const std::string& answer) {
  std::vector<BYTE> copy(answer.begin(), answer.end());
  T result{};
  const BOOL bOk = (link.*decoder)(copy.data(), static_cast<DWORD>(copy.size()), &result);
  Require(bOk == 0 || bOk == 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  const std::string answer(reinterpret_cast<const char*>(pData), uiSize);
  CZqSyncSocketCom link;
  Decode(&CZqSyncSocketCom::TherIsAPowerOnNumber, link, answer);
  Decode(&CZqSyncSocketCom::TherIsNumTotCuts, link, answer);
  Decode(&CZqSyncSocketCom::TherIsARetractNumber, link, answer);
  Decode(&CZqSyncSocketCom::TherIsALength, link, answer);
  Decode(&CZqSyncSocketCom::TherIsATimeToCut, link, answer);
  Decode(&CZqSyncSocketCom::TherIsANotchDist, link, answer);
  Decode(&CZqSyncSocketCom::TherIsRetractEnabled, link, answer);
  Decode(&CZqSyncSocketCom::TherIsNotchEnabled, link, answer);
  Decode(&CZqSyncSocketCom::TherIsANotchThreshold, link, answer);
  return 0;
}
