#include "JournalCommand.h"

#include "CChangeJournal.h"
#include "CliExit.h"
#include "CliText.h"
#include "EnginePlatform.h"
#include "ProvisioningPlan.h"

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

std::string JournalCommand::Summary() const {
  return "Print the change journal: every SET command lumora or lumora-cli sent, with its "
         "time, the interface it left through, the printer's MAC address, what changed (old "
         "\u2192 new), how the printer answered and whether it was then found at its new "
         "address. The journal is $XDG_STATE_HOME/lumora/changes.jsonl (by default "
         "~/.local/state/lumora/changes.jsonl), one JSON object per line.";
}

void JournalCommand::AddOptions(CLI::App& sub) {
  sub.add_option("--since", m_Options.since,
                 "Only changes from this local date or time on: YYYY-MM-DD, "
                 "\"YYYY-MM-DD HH:MM\" or YYYY-MM-DDTHH:MM:SS.")
      ->type_name("DATE")
      ->check(CLI::Validator(
          [](const std::string& value) {
            return ParseSince(value) ? std::string()
                                     : "'" + value + "' is no date (YYYY-MM-DD [HH:MM[:SS]])";
          },
          "", "DATE"));
}

std::optional<std::int64_t> JournalCommand::ParseSince(const std::string& text) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, used = 0;
  char sep = 0;
  const int n = std::sscanf(text.c_str(), "%4d-%2d-%2d%n%c%2d:%2d%n:%2d%n", &y, &mo, &d, &used,
                            &sep, &h, &mi, &used, &s, &used);
  const bool bShape = (n == 3 || ((n == 6 || n == 7) && (sep == ' ' || sep == 'T'))) &&
                      static_cast<std::size_t>(used) == text.size();
  std::int64_t epoch = 0;
  if (!bShape || mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || s > 59 ||
      !EnginePlatform::LocalToEpoch(y, mo, d, h, mi, s, epoch))
    return std::nullopt;
  return epoch;
}

std::string JournalCommand::Render(const CChangeJournal& journal,
                                   std::optional<std::int64_t> since, std::string& err) {
  CChangeJournal::Contents contents;
  if (!journal.Read(contents, err)) return {};
  const std::string file = journal.Path().string();
  for (const std::size_t uLine : contents.badLines)
    err += "lumora-cli: line " + std::to_string(uLine) + " of " + file +
           " is no journal entry; skipped\n";
  if (contents.bTornEnd)
    err += "lumora-cli: the last line of " + file +
           " is incomplete (a write was cut short); skipped\n";
  std::vector<CliText::Row> rows;
  for (const CChangeEntry& e : contents.entries) {
    std::int64_t epoch = 0;
    if (since && CChangeJournal::EpochOf(e.strTime, epoch) && epoch < *since) continue;
    rows.push_back({EnginePlatform::Utf8ToWide(e.strTime), e.strSource, e.strInterface, e.strMac,
                    EnginePlatform::Utf8ToWide(ProvisioningPlan::Changes(e.oldSettings, e.newSettings)),
                    e.strOutcome, e.strVerification});
  }
  return CliText::Table(
      {L"TIME", L"SOURCE", L"INTERFACE", L"MAC ADDRESS", L"CHANGE", L"OUTCOME", L"VERIFICATION"},
      rows);
}

int JournalCommand::Run() {
  const CChangeJournal journal(CChangeJournal::DefaultPath());
  std::string err;
  const std::string table =
      Render(journal, m_Options.since.empty() ? std::nullopt : ParseSince(m_Options.since), err);
  std::cerr << err;
  if (table.empty()) return CliExit::kFailed;
  std::cout << table << std::flush;
  return CliExit::kOk;
}
