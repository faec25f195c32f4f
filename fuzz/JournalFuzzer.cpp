// Fuzzes the change journal's reader: a line of any content, the entry it
// gives written and read once more (the same entry must come back), and
// its time stamp.
#include <string>

#include "CChangeJournal.h"
#include "FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  const std::string line(reinterpret_cast<const char*>(pData), uiSize);
  CChangeEntry entry;
  if (!CChangeJournal::FromJson(line, entry)) return 0;
  const std::string written = CChangeJournal::ToJson(entry);
  Require(written.find('\n') == std::string::npos);
  CChangeEntry again;
  Require(CChangeJournal::FromJson(written, again));
  Require(again == entry);
  std::int64_t epoch = 0;
  CChangeJournal::EpochOf(entry.strTime, epoch);
  return 0;
}
