#pragma once
// lumora-cli journal: the change journal as a table, every SET command sent
// by lumora or lumora-cli, oldest first.
#include "CliCommand.h"

#include <cstdint>
#include <optional>
#include <string>

class CChangeJournal;

class JournalCommand : public CliCommand {
 public:
  struct Options {
    std::string since;  // --since DATE
  };

  std::string Name() const override { return "journal"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

  const Options& GetOptions() const { return m_Options; }

  // Seconds since the epoch of a local "YYYY-MM-DD", "YYYY-MM-DD HH:MM" or
  // "YYYY-MM-DDTHH:MM:SS"; none when the text is no such date.
  static std::optional<std::int64_t> ParseSince(const std::string& text);
  // The table of the journal's entries from `since` on; the lines that are no
  // entry are reported to err.
  static std::string Render(const CChangeJournal& journal, std::optional<std::int64_t> since,
                            std::string& err);

 private:
  Options m_Options;
};
