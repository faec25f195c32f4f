#pragma once
// The change journal: one JSON object per line for every SET command sent,
// from the window or the command line, in a file of the user's state
// directory. Each line is appended with one write and flushed to the disk
// before the call returns, so that a crash can tear at most the last line;
// the reader skips such a line and says so.
#include "CChangeEntry.h"
#include "CConfigurationExchange.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class CChangeJournal {
 public:
  struct Contents {
    std::vector<CChangeEntry> entries;
    std::vector<std::size_t> badLines;  // numbers of lines that are no entry
    bool bTornEnd = false;              // the last line has no end: a cut-short write
  };

  explicit CChangeJournal(std::filesystem::path file);

  // $XDG_STATE_HOME/lumora/changes.jsonl, by default
  // ~/.local/state/lumora/changes.jsonl; empty when neither is known.
  static std::filesystem::path DefaultPath();
  // The journal's word for how a SET exchange ended; empty when nothing was
  // sent (then no entry is written).
  static std::wstring OutcomeName(const CConfigurationExchange::SetOutcome& outcome);

  // Appends the entry as one line; false with the reason.
  bool Append(const CChangeEntry& entry, std::string& error) const;
  // Reads every entry; a missing file has none. False with the reason when
  // the file exists but cannot be read.
  bool Read(Contents& contents, std::string& error) const;

  static std::string ToJson(const CChangeEntry& entry);
  static bool FromJson(std::string_view line, CChangeEntry& entry);
  // Seconds since the epoch of an entry's time; false when it does not parse.
  static bool EpochOf(const std::string& strTime, std::int64_t& epoch);

  const std::filesystem::path& Path() const { return m_Path; }

 private:
  std::filesystem::path m_Path;
};
