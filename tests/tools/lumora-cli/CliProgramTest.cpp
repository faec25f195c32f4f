#include "CliProgram.h"
#include "CliText.h"
#include "DiscoverCommand.h"
#include "JournalCommand.h"
#include "CChangeJournal.h"
#include "TempDir.h"
#include "InstallCommand.h"
#include "SetCommand.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Parsed {
  std::optional<int> exit;
  std::string out, err;
};

Parsed Parse(CliProgram& program, const std::vector<std::string>& args) {
  std::ostringstream out, err;
  Parsed p;
  p.exit = program.Parse(args, out, err);
  p.out = out.str();
  p.err = err.str();
  return p;
}

}  // namespace

// Each option alone as whole runs use it: --json and --debug in LanCli,
// --ini in LanReach, --repeat in LanSoak.
TEST(CliProgram, DiscoverOptions) {
  CliProgram program;
  const Parsed p = Parse(program, {"discover", "--ini=b.ini", "--json", "--repeat", "50"});
  ASSERT_FALSE(p.exit) << p.err;
  auto* discover = program.Find<DiscoverCommand>();
  ASSERT_EQ(program.Selected(), discover);
  EXPECT_TRUE(discover->GetOptions().bJson);
  EXPECT_FALSE(discover->GetOptions().bDebug);
  EXPECT_EQ(discover->GetOptions().uRepeat, 50u);
  EXPECT_EQ(discover->GetOptions().iniPath->string(), "b.ini");
}

TEST(CliProgram, HelpAndUsageErrors) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"-h"}, {"help"}, {"discover", "--help"}}) {
    CliProgram program;
    const Parsed p = Parse(program, args);
    EXPECT_EQ(p.exit, 0);
    EXPECT_NE(p.out.find("lumora-cli"), std::string::npos);
    EXPECT_NE(p.out.find("discover"), std::string::npos);
  }
  const std::vector<std::string> errors[] = {
      {},
      {"find"},
      {"discover", "--xml"},
      {"discover", "--ini"},
      {"discover", "--ini="},
      {"discover", "--repeat", "0"},
      {"discover", "settings"},
      {"adapters", "--json"},
      {"settings", "--debug"},
  };
  for (const auto& args : errors) {
    CliProgram program;
    const Parsed p = Parse(program, args);
    EXPECT_EQ(p.exit, 2) << args.size();
    EXPECT_EQ(p.err.rfind("lumora-cli: ", 0), 0u) << p.err;
    EXPECT_TRUE(p.out.empty());
  }
}

namespace {

// A set command line; each pair of `changes` replaces or adds an option.
std::vector<std::string> SetArgs(std::vector<std::string> changes) {
  std::vector<std::string> args = {"set", "--mac", "02:51:4D:00:00:01", "--ip", "10.77.40.7",
                                   "--mask", "255.255.255.0", "--gateway", "10.77.40.1",
                                   "--name", "Hall 2"};
  for (size_t i = 0; i + 1 < changes.size(); i += 2) {
    const auto it = std::find(args.begin(), args.end(), changes[i]);
    if (it != args.end()) args.erase(it, it + 2);
    args.insert(args.end(), {changes[i], changes[i + 1]});
  }
  return args;
}

}  // namespace

TEST(CliProgram, SetAndQueryOptions) {
  CliProgram program;
  const auto args = SetArgs({"--dhcp", "1", "--attempts", "3", "--name", "Caf\xC3\xA9"});
  ASSERT_FALSE(Parse(program, args).exit);
  const SetCommand::Options& set = program.Find<SetCommand>()->GetOptions();
  EXPECT_EQ(set.mac + " " + set.ip + " " + set.mask + " " + set.gateway + " " + set.dhcp,
            "02:51:4D:00:00:01 10.77.40.7 255.255.255.0 10.77.40.1 1");
  EXPECT_EQ(set.name, L"Caf\xE9");
  EXPECT_EQ(set.dwAttempts, 3u);
  for (const char* mac : {"02-51-4D-00-00-01", "02514d000001"}) {
    CliProgram other;
    EXPECT_FALSE(Parse(other, SetArgs({"--mac", mac})).exit) << mac;
    EXPECT_EQ(other.Find<SetCommand>()->GetOptions().dhcp, "");
    EXPECT_EQ(other.Find<SetCommand>()->GetOptions().dwAttempts, 1u);
  }
  // settings --ini, set --from-csv --dry-run and query run whole in CliRun,
  // LanProvisioning and LanCli.

  const std::vector<std::string> errors[] = {
      SetArgs({"--mac", "02:51:4D:00:00"}),      SetArgs({"--mac", "02:51-4D:00:00:01"}),
      SetArgs({"--mac", "02:51:4D:00:00:0G"}),   SetArgs({"--ip", "10.77.40"}),
      SetArgs({"--mask", "255.255.256.0"}),      SetArgs({"--gateway", "10.077.0.1"}),
      SetArgs({"--name", "Seventeen chars.."}),  SetArgs({"--name", "a<b"}),
      SetArgs({"--name", ""}),                   SetArgs({"--dhcp", "yes"}),
      SetArgs({"--attempts", "-1"}),             {"set", "--mac", "02:51:4D:00:00:01"},
      {"set", "--from-csv", "f.csv", "--mac", "02:51:4D:00:00:01"},
      {"set", "--mac", "02:51:4D:00:00:01", "--ip", "10.0.0.1", "--mask", "255.0.0.0",
       "--gateway", "10.0.0.2", "--name", "x", "--dry-run"},
      {"discover", "--csv", "--json"},
      {"journal", "--since", "2025-13-01"},
      {"query", "--ip", "10.77.16.1"},           {"query", "status", "--ip", "10.77.16.1"},
      {"query", "full-status", "--ip", "host"},
  };
  for (const auto& args : errors) {
    CliProgram program;
    const Parsed p = Parse(program, args);
    EXPECT_EQ(p.exit, 2) << args.back();
    EXPECT_EQ(p.err.rfind("lumora-cli: ", 0), 0u) << p.err;
  }
}

TEST(CliProgram, InstallOptions) {
  CliProgram program;
  ASSERT_FALSE(Parse(program, {"install", "--mac", "02-51-4D-00-00-01", "--queue", "Front_2",
                               "--uri", "lpd", "--protocol", "tcp", "--replace", "--system"})
                   .exit);
  const CPrinterInstaller::Request& request = program.Find<InstallCommand>()->GetRequest();
  EXPECT_EQ(request.strQueue + " " + request.strUri, "Front_2 lpd");
  EXPECT_TRUE(request.bReplace && request.bSystem);

  const std::vector<std::string> errors[] = {
      {"install"},
      {"install", "--ip", "10.77.16.1", "--mac", "02:51:4D:00:00:01"},
      {"install", "--mac", "02:51:4D:00:00"},
      {"install", "--mac", "02:51-4D:00:00:01"},  // separators differ
      {"install", "--ip", "10.77.16.1", "--queue", "front desk"},
      {"install", "--ip", "10.77.16.1", "--uri", "usb://Maker/Model"},
      {"install", "--ip", "10.77.16.1", "--protocol", "ipx"},
      {"uninstall"},
      {"status", "Front", "--watch", "0"},
  };
  for (const auto& args : errors) {
    CliProgram other;
    EXPECT_EQ(Parse(other, args).exit, 2) << args.back();
  }
}

TEST(CliText, NetworkTextIsMadeSafe) {
  const std::wstring nasty = std::wstring(L"a\"b\\c") + wchar_t(0x1B) + L"[2J" + wchar_t(0xE9) +
                             wchar_t(0) + L"z";
  EXPECT_EQ(CliText::Display(nasty), "a\"b\\c\\x1B[2J\xC3\xA9\\x00z");
}

TEST(CliText, TableAlignsColumnsAndTrimsLineEnds) {
  const std::string table = CliText::Table({L"A", L"BB", L"C"}, {{L"xxx", L"", L""}, {L"y", L"z", L"w"}});
  EXPECT_EQ(table, "A    BB  C\nxxx\ny    z   w\n");
}

TEST(JournalCommand, TableFromTheDateOnWithSkippedLinesReported) {
  TempDir dir;
  const CChangeJournal journal(dir.path() / "changes.jsonl");
  std::string error;
  for (const char* time : {"2025-03-01T23:59:59+00:00", "2025-03-02T10:00:00+00:00"}) {
    CChangeEntry e;
    e.strTime = time;
    e.strMac = L"02-51-4D-00-00-01";
    e.newSettings.strIpAddress = L"10.77.50.1";
    e.strOutcome = L"confirmed";
    ASSERT_TRUE(journal.Append(e, error));
  }
  std::ofstream(journal.Path(), std::ios::app) << "{\"time\"";
  setenv("TZ", "UTC", 1);
  std::string err;
  const std::string table = JournalCommand::Render(journal, JournalCommand::ParseSince("2025-03-02"), err);
  EXPECT_EQ(table.find("2025-03-01"), std::string::npos) << table;
  EXPECT_NE(table.find("2025-03-02T10:00:00+00:00"), std::string::npos) << table;
  EXPECT_NE(table.find("ip 10.77.50.1"), std::string::npos) << table;
  EXPECT_EQ(err, "lumora-cli: the last line of " + journal.Path().string() +
                     " is incomplete (a write was cut short); skipped\n");
  EXPECT_FALSE(JournalCommand::ParseSince("2025-03-02 25:00"));
  EXPECT_TRUE(JournalCommand::ParseSince("2025-03-02T10:00:05"));
}
