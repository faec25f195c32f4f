// lumora-cli run as a program: usage, settings, and (Lan suites, inside the
// virtual LAN with five simulated printers) whole discoveries.
#include "ChildRun.h"
#include "CliCopy.h"
#include "FileText.h"
#include "TempDir.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <regex>
#include <tuple>

using namespace std::chrono_literals;

namespace {

size_t Count(const std::string& text, const std::string& what) {
  size_t n = 0;
  for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
  return n;
}

}  // namespace

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
  for (const char* line : {"uiRxPort=15001\n", "uiTxPort=15000\n", "dwMaxDiscoveryTry=3\n",
                           "dwMaxNoDataReadTry=2\n", "dwReciveThreadTimeout=200\n",
                           "dwRxThreadIdleTimeout=50\n", "dwBroadcastType=1\n"})
    EXPECT_NE(r.out.find(line), std::string::npos) << line;

  cli.WriteFile("config/lumora/lumora.ini", "[NETWORK]\nszHosts=10.77.16.9\n");
  r = cli.Run({"settings"});
  EXPECT_EQ(r.out.rfind("; ini: " + cli.Path("config/lumora/lumora.ini").string() + "\n", 0), 0u);
  EXPECT_NE(r.out.find("szHosts=10.77.16.9\n"), std::string::npos);

  cli.WriteFile("lumora.ini", "[BROADCAST]\ndwBroadcastType=0\n");
  r = cli.Run({"settings"});
  EXPECT_NE(r.out.find("; ini: " + cli.Path("lumora.ini").string()), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("dwBroadcastType=0\n"), std::string::npos);
  EXPECT_NE(r.out.find("uiRxPort=0\n"), std::string::npos);  // missing keys read as 0

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
  const auto devices = nlohmann::json::parse(r.out);
  ASSERT_EQ(devices.size(), static_cast<size_t>(printers)) << r.out;
  // All five fields told by every printer: no placeholder, nothing empty.
  for (const auto& d : devices) {
    EXPECT_NE(d["name"], "-*-*-");
    EXPECT_NE(d["model"], "-|-|-");
    EXPECT_TRUE(std::regex_match(d["ip"].get<std::string>(), std::regex(R"(10\.77\.16\.\d+)")));
    EXPECT_EQ(d["subnet_mask"], "255.255.0.0");
    EXPECT_EQ(d["gateway"], "10.77.0.1");
    EXPECT_FALSE(d["dhcp"].get<std::string>().empty());
    EXPECT_EQ(d["image"], 1);
  }
  EXPECT_EQ(r.out.front(), '[');
  const std::string log = cli.ReadFile("lumora.log");
  for (const char* line : {"<TX_DEV_DISCOVERY>\r\n", "<RX_DEV_IDLE>\r\n", "<RX_DEV_NOREAD> Anoter try...\r\n",
                           "<END_DEV_DISCOVERY>: device found... get other data...\r\n",
                           "<TX_DEV_REQ_INFO>: <ZQ><STSMOQ><DHCP>\r\n", "<RX_DEV_INFO_NOREAD>\r\n"})
    EXPECT_NE(log.find(line), std::string::npos) << line;
  EXPECT_EQ(log.rfind("--> ", 0), 0u);
}

TEST(LanCli, DiscoverTextAndDebugLines) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  CliCopy cli;
  const auto r = cli.Run({"discover", "--debug"});
  ASSERT_EQ(r.exit, 0);
  EXPECT_EQ(r.out.rfind("NAME ", 0), 0u);
  EXPECT_EQ(Count(r.out, "\n"), static_cast<size_t>(1 + std::atoi(std::getenv("VLAN_SIM_COUNT"))));
  EXPECT_TRUE(std::regex_search(r.err, std::regex(R"(\[\d\d:\d\d:\d\d:\d\d\d\], <TX_DEV_DISCOVERY>\n)")));
  EXPECT_NE(r.err.find("Message host IP <10.77.0.2:15000> Size 10 Buffer: { <ZQ><0000> }"), std::string::npos);
  EXPECT_NE(r.err.find("<END_JOB>"), std::string::npos);
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
  EXPECT_NE(cli.ReadFile("lumora.log").find("<END_DEV_DISCOVERY>: no device detected.. stop here"),
            std::string::npos);
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

namespace {

// A second simulator on peer 1 with its own ports (16000, answers to 16001),
// so that its printers can be changed without touching the LAN's own.
std::unique_ptr<ChildRun> SecondSim(const std::vector<std::string>& extra) {
  std::vector<std::string> args = {"--count", "3", "--port", "16000", "--answer-port", "16001"};
  args.insert(args.end(), extra.begin(), extra.end());
  return VirtualLan::StartSim(args);
}

constexpr const char* kSecondSimIni =
    "[UDPTXRXPORT]\nuiRxPort=16001\nuiTxPort=16000\n[RETRYTIME]\ndwMaxDiscoveryTry=2\n"
    "dwMaxNoDataReadTry=1\n[TIMEOUT]\ndwReciveThreadTimeout=300\ndwRxEthTimeout=1000\n"
    "[BROADCAST]\ndwBroadcastType=1\n";

std::vector<std::string> SetHall2(const std::string& ini) {
  return {"set",  "--mac",  "02:51:4D:00:00:02", "--ip",     "10.77.40.7", "--mask",
          "255.255.255.0", "--gateway", "10.77.40.1", "--name", "Hall 2", "--dhcp", "1",
          "--ini", ini};
}

}  // namespace

TEST(LanCli, SetGivesTheOutcomeOfEachKindOfAnswer) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  CliCopy cli;
  cli.WriteFile("second.ini", kSecondSimIni);
  const std::string ini = cli.Path("second.ini").string();
  const char* const kAgain = "Unable to modify printer parameters! Please try again later.\n";
  const std::tuple<std::string, std::string, std::string> cases[] = {
      {"--refuse-set", "02:51:4D:00:00:02", kAgain},
      {"--garble-set", "02:51:4D:00:00:02",
       "Unable to modify printer parameters! Trouble in socket comunication.\n"},
      {"--verbose", "02:51:4D:00:00:99", kAgain}};  // nobody has this MAC
  for (const auto& [mode, mac, message] : cases) {
    const auto sim = SecondSim({mode});
    auto args = SetHall2(ini);
    args[2] = mac;
    const auto r = cli.Run(args);
    EXPECT_EQ(r.exit, 1) << mode;
    EXPECT_EQ(r.out, message) << mode;
  }
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
