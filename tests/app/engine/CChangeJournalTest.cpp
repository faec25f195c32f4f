#include "CChangeJournal.h"
#include "FileText.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

CChangeEntry Entry(const std::wstring& strMac) {
  CChangeEntry e;
  e.strTime = "2025-03-01T14:05:09+01:00";
  e.strSource = L"lumora-cli";
  e.strInterface = L"eth0";
  e.strLocalAddress = L"10.77.0.2";
  e.strMac = strMac;
  e.oldSettings = CPrinterSettings{L"Lumen Desk", L"10.77.16.1", L"255.255.0.0", L"10.77.0.1", L"0"};
  e.newSettings = {L"Caf\u00e9 \"1\"", L"10.77.50.1", L"255.255.255.0", L"10.77.50.1", L""};
  e.strOutcome = L"confirmed";
  e.strVerification = L"verified";
  e.strVerificationText = L"verified at the new address (10.77.50.1)";
  return e;
}

}  // namespace

TEST(ChangeJournal, AppendsOneLineEachAndReadsThemBack) {
  TempDir dir;
  const CChangeJournal journal(dir.path() / "state" / "lumora" / "changes.jsonl");
  std::string error;
  CChangeEntry unknownOld = Entry(L"02-51-4D-00-00-02");
  unknownOld.oldSettings.reset();
  ASSERT_TRUE(journal.Append(Entry(L"02-51-4D-00-00-01"), error)) << error;
  ASSERT_TRUE(journal.Append(unknownOld, error)) << error;
  const std::string text = FileText(journal.Path());
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2);
  CChangeJournal::Contents contents;
  ASSERT_TRUE(journal.Read(contents, error));
  ASSERT_EQ(contents.entries.size(), 2u);
  EXPECT_EQ(contents.entries[0], Entry(L"02-51-4D-00-00-01"));
  EXPECT_EQ(contents.entries[1], unknownOld);
  EXPECT_FALSE(contents.bTornEnd);
}

TEST(ChangeJournal, TornLastLineIsSkippedAndTheNextAppendStartsAfreshLine) {
  TempDir dir;
  const CChangeJournal journal(dir.path() / "changes.jsonl");
  std::string error;
  ASSERT_TRUE(journal.Append(Entry(L"02-51-4D-00-00-01"), error));
  std::ofstream(journal.Path(), std::ios::app) << R"({"time":"2025-03-01T14:)";
  CChangeJournal::Contents contents;
  ASSERT_TRUE(journal.Read(contents, error));
  EXPECT_TRUE(contents.bTornEnd);
  EXPECT_EQ(contents.entries.size(), 1u);
  ASSERT_TRUE(journal.Append(Entry(L"02-51-4D-00-00-03"), error));
  ASSERT_TRUE(journal.Read(contents, error));
  EXPECT_FALSE(contents.bTornEnd);
  EXPECT_EQ(contents.badLines, std::vector<std::size_t>{2});
  ASSERT_EQ(contents.entries.size(), 2u);
  EXPECT_EQ(contents.entries[1].strMac, L"02-51-4D-00-00-03");
  // A blank line (as an editor may leave one) is no faulty entry.
  std::ofstream(journal.Path(), std::ios::app) << "\n";
  ASSERT_TRUE(journal.Append(Entry(L"02-51-4D-00-00-04"), error));
  ASSERT_TRUE(journal.Read(contents, error));
  EXPECT_EQ(contents.badLines, std::vector<std::size_t>{2});
  EXPECT_EQ(contents.entries.size(), 3u);
}

TEST(ChangeJournal, OutcomeWordsAndTimes) {
  using Outcome = CConfigurationExchange::SetOutcome;
  const std::pair<Outcome, const wchar_t*> cases[] = {
      {{0, 120, false, true, true, L""}, L"confirmed"},
      {{0x1000, 121, true, true, true, L""}, L"refused"},
      {{0x1000, 121, true, true, false, L""}, L"no answer"},
      {{0x1000, 122, true, true, true, L""}, L"trouble"},
      {{1, 0, false, false, false, L""}, L""}};  // nothing sent: no entry
  for (const auto& [outcome, word] : cases) EXPECT_EQ(CChangeJournal::OutcomeName(outcome), word);
  std::int64_t epoch = 0;
  ASSERT_TRUE(CChangeJournal::EpochOf("2025-03-01T14:05:09+01:00", epoch));
  EXPECT_EQ(epoch, 1740834309);
  EXPECT_FALSE(CChangeJournal::EpochOf("2025-02-30T14:05:09+01:00", epoch));
  EXPECT_FALSE(CChangeJournal::EpochOf("2025-03-01 14:05", epoch));
}
