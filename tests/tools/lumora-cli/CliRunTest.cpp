// lumora-cli run as a program: usage, settings, and (Lan suites, inside the
// virtual LAN with five simulated printers) whole discoveries.
#include "CliCopy.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <cstdlib>
#include <regex>

using namespace std::chrono_literals;

TEST(CliRun, UsageErrorsExitNonZeroWithMessage) {
  CliCopy cli;
  // Every parse error takes the same way out; a missing INI is found later.
  const std::vector<std::vector<std::string>> cases = {{}, {"discover", "--ini", "/nonexistent/lumora.ini"}};
  for (const auto& args : cases) {
    const auto r = cli.Run(args);
    EXPECT_EQ(r.exit, 2);
    EXPECT_TRUE(r.out.empty());
    EXPECT_EQ(r.err.rfind("lumora-cli: ", 0), 0u) << r.err;
  }
  const auto help = cli.Run({"--help"});
  EXPECT_EQ(help.exit, 0);
  EXPECT_NE(help.out.find("Usage: lumora-cli"), std::string::npos);
  const auto version = cli.Run({"--version"});
  EXPECT_TRUE(std::regex_match(version.out, std::regex(R"(lumora-cli \(Lumora\) \d+, \d+, \d+, \d+\n)")))
      << version.out << version.err;
}

TEST(CliRun, SettingsShowDefaultsOrTheIniBesideIt) {
  CliCopy cli;
  auto r = cli.Run({"settings"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_NE(r.out.find("; ini: defaults (none of " + cli.Path("lumora.ini").string() + ", " +
                       cli.Path("config/lumora/lumora.ini").string()),
            std::string::npos) << r.out;
  // Every default (CLumoraAppTest) as KEY=VALUE.
  for (const char* line : {"uiRxPort=15001\n", "dwBroadcastType=1\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line;

  // The file read is named first (which one is read: CLumoraAppTest).
  cli.WriteFile("lumora.ini", "[NETWORK]\nszHosts=10.77.16.9\n");
  r = cli.Run({"settings"});
  EXPECT_EQ(r.out.rfind("; ini: " + cli.Path("lumora.ini").string() + "\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("szHosts=10.77.16.9\n"), std::string::npos);

  cli.WriteFile("other.ini", "[UDPTXRXPORT]\nuiRxPort=16001\n");
  r = cli.Run({"settings", "--ini", cli.Path("other.ini").string()});
  EXPECT_NE(r.out.find("uiRxPort=16001\n"), std::string::npos);
  // Printing settings never touches the log of a running lumora.
  EXPECT_FALSE(std::filesystem::exists(cli.Path("lumora.log")));
}

TEST(LanCli, DiscoverJsonFindsEverySimulatedPrinter) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  CliCopy cli;
  const auto r = cli.Run({"discover", "--json"});
  ASSERT_EQ(r.exit, 0) << r.err;
  const int printers = std::atoi(std::getenv("VLAN_SIM_COUNT"));
  ASSERT_GT(printers, 0);
  // Every printer once (the fields each told: LanReach; the JSON form: DeviceReportTest).
  ASSERT_EQ(nlohmann::json::parse(r.out).size(), static_cast<size_t>(printers)) << r.out;
  // The log beside the program tells the run.
  const std::string log = cli.ReadFile("lumora.log");
  EXPECT_EQ(log.rfind("--> ", 0), 0u);
  EXPECT_NE(log.find("<END_DEV_DISCOVERY>: device found... get other data...\r\n"), std::string::npos);
}

TEST(LanCli, NothingFoundIsNoFailure) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  CliCopy cli;
  // Printers listen on 15000; these settings ask on another port.
  cli.WriteFile("quiet.ini", "[UDPTXRXPORT]\nuiRxPort=15001\nuiTxPort=15999\n[RETRYTIME]\n"
                             "dwMaxDiscoveryTry=1\ndwMaxNoDataReadTry=1\n[TIMEOUT]\n"
                             "dwReciveThreadTimeout=100\n[BROADCAST]\ndwBroadcastType=1\n");
  const auto r = cli.Run({"discover", "--json", "--ini", cli.Path("quiet.ini").string()});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, "[]\n");
}

TEST(LanCli, InterruptEndsDiscoveryAndPrintsWhatWasFound) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  CliCopy cli;
  ChildRun run({cli.Exe().string(), "discover", "--debug"});
  ASSERT_TRUE(run.WaitForOutput("<RX_DEV_DISCOVERY>", 10s));
  run.Signal(SIGINT);
  EXPECT_EQ(run.Wait(10s), 130);
  EXPECT_EQ(run.Out().rfind("NAME ", 0), 0u);
  EXPECT_EQ(run.Err().find("<END_JOB>"), std::string::npos);
}

TEST(LanCli, QueryShowsTheAnswerOrThatNoneCame) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  CliCopy cli;
  auto r = cli.Run({"query", "--ip", "10.77.16.1", "full-status"});
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(r.out, "<ZQ><STSMOA><CMD><0x02,0x00,0x00,0x00>\n");
  r = cli.Run({"query", "device-id", "--ip", "10.77.16.1"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_NE(r.out.find("\ntext: MFG:Quillmark;MDL:Quillmark Compact;CLS:PRINTER;"
                       "DES:Lumen Desk 0001;SN:02514D000001;\n"),
            std::string::npos) << r.out;
  cli.WriteFile("quick.ini", "[UDPTXRXPORT]\nuiRxPort=15001\nuiTxPort=15000\n[TIMEOUT]\n"
                             "dwRxEthTimeout=200\n");
  r = cli.Run({"query", "--ip", "10.77.16.200", "full-status", "--ini",
               cli.Path("quick.ini").string()});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.err, "lumora-cli: no answer from 10.77.16.200 within 200 ms\n");
}
