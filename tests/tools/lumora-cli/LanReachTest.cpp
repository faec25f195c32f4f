// lumora-cli beyond the single broadcast, inside the virtual LAN with a
// second segment (host eth1) and a router with a far network behind it:
// chosen interfaces, printers behind the router, the report. Each test
// starts the simulators it needs. (The fill-in rounds: CDiscoveryReachTest.)
#include "CliCopy.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <set>

using namespace std::chrono_literals;
using VirtualLan::Env;

namespace {

// Short waits, two tries: enough on a LAN of namespaces.
constexpr const char* kQuickIni =
    "[UDPTXRXPORT]\nuiRxPort=15001\nuiTxPort=15000\n[RETRYTIME]\ndwMaxDiscoveryTry=2\n"
    "dwMaxNoDataReadTry=1\n[TIMEOUT]\ndwReciveThreadTimeout=150\ndwRxThreadIdleTimeout=0\n"
    "[BROADCAST]\ndwBroadcastType=1\n";

class LanReach : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!VirtualLan::Inside() || Env("VLAN_FAR_NS").empty()) return;
    VirtualLan::AddAddresses(Env("VLAN_PEER1_NS"), "10.77.16.", 2);
    VirtualLan::AddAddresses(Env("VLAN_LAN2_PEER_NS"), "10.88.16.", 1);
    VirtualLan::AddAddresses(Env("VLAN_FAR_NS"), "10.99.16.", 2);
  }
  void SetUp() override {
    if (!VirtualLan::Inside() || Env("VLAN_FAR_NS").empty())
      GTEST_SKIP() << "needs the virtual LAN with --lan2 --router";
    m_Cli.WriteFile("quick.ini", kQuickIni);
  }
  // Printers from config lines, in a simulator of their own.
  std::unique_ptr<ChildRun> Sim(const std::string& ns, const std::string& name, const std::string& lines) {
    m_Cli.WriteFile(name, lines);
    return VirtualLan::StartSimIn(ns, {"--config", m_Cli.Path(name).string(), "--verbose"});
  }
  // A discovery with the quick settings and --json; its printers' addresses.
  std::set<std::string> Found(std::vector<std::string> args, nlohmann::json* pDevices = nullptr) {
    args.insert(args.begin(), {"discover", "--json", "--ini", m_Cli.Path("quick.ini").string()});
    const auto r = m_Cli.Run(args);
    EXPECT_EQ(r.exit, 0) << r.err;
    const auto devices = nlohmann::json::parse(r.out);
    std::set<std::string> ips;
    for (const auto& d : devices) ips.insert(d["ip"].get<std::string>());
    if (pDevices != nullptr) *pDevices = devices;
    return ips;
  }
  CliCopy m_Cli;
};

const char* const kLan1 =
    "ip=10.77.16.1 mac=02-4C-10-00-00-01 name=ALPHA-1\n"
    "ip=10.77.16.2 mac=02-4C-10-00-00-02 name=ALPHA-2\n";
const char* const kLan2 =
    "ip=10.88.16.1 mac=02-4C-20-00-00-01 name=BETA-1 mask=255.255.0.0 gateway=10.88.0.1\n";
const char* const kFar =
    "ip=10.99.16.1 mac=02-4C-30-00-00-01 name=GAMMA-1 mask=255.255.0.0 gateway=10.99.0.1\n"
    "ip=10.99.16.2 mac=02-4C-30-00-00-02 name=GAMMA-2 mask=255.255.0.0 gateway=10.99.0.1\n";

bool EveryFieldTold(const nlohmann::json& d) {
  for (const char* key : {"name", "model", "subnet_mask", "gateway", "mac"}) {
    const std::string value = d[key];
    if (value.empty() || value == "-*-*-" || value == "-|-|-" || value == "!*!*!" ||
        value == "nn nn nn nn" || value == "xx xx xx xx")
      return false;
  }
  return !d["dhcp"].get<std::string>().empty();
}

}  // namespace

TEST_F(LanReach, InterfacesChooseTheSegmentsBroadcastsLeaveThrough) {
  auto sim1 = Sim(Env("VLAN_PEER1_NS"), "lan1.conf", kLan1);
  auto sim2 = Sim(Env("VLAN_LAN2_PEER_NS"), "lan2.conf", kLan2);
  const std::set<std::string> lan1 = {"10.77.16.1", "10.77.16.2"};
  EXPECT_EQ(Found({}), lan1);  // the default route's side only
  EXPECT_EQ(Found({"--iface", "eth1"}), std::set<std::string>{"10.88.16.1"});
  nlohmann::json devices;
  EXPECT_EQ(Found({"--iface", "all"}, &devices),
            (std::set<std::string>{"10.77.16.1", "10.77.16.2", "10.88.16.1"}));
  for (const auto& d : devices) EXPECT_TRUE(EveryFieldTold(d)) << d.dump();
  // Each broadcast left from its own interface's address.
  EXPECT_TRUE(sim1->WaitForOutput("from 10.77.0.2:", 2s));
  EXPECT_TRUE(sim1->WaitForOutput("to 10.77.255.255: 2 printers", 2s)) << sim1->Err();
  EXPECT_TRUE(sim2->WaitForOutput("to 10.88.255.255: 1 printers", 2s)) << sim2->Err();
  EXPECT_EQ(sim2->Err().find("from 10.77.0.2"), std::string::npos);
  const std::string log = m_Cli.ReadFile("lumora.log");
  EXPECT_NE(log.find("<INTERFACE> eth1 10.88.0.2 -> 10.88.255.255:15000 <ZQ><STSMOQ><DHCP>"),
            std::string::npos);
}

// Hosts asked alone (beside the broadcast: LanReachWindow).
TEST_F(LanReach, PrinterBehindRouterIsFoundByHostNotByBroadcast) {
  auto far = Sim(Env("VLAN_FAR_NS"), "far.conf", kFar);
  EXPECT_TRUE(Found({}).empty());
  nlohmann::json devices;
  EXPECT_EQ(Found({"--host", "10.99.16.1-10.99.16.4", "--no-broadcast"}, &devices),
            (std::set<std::string>{"10.99.16.1", "10.99.16.2"}));
  for (const auto& d : devices) {
    EXPECT_TRUE(EveryFieldTold(d)) << d.dump();
    EXPECT_EQ(d["gateway"], "10.99.0.1");
  }
  EXPECT_EQ(m_Cli.ReadFile("lumora.log").find("<TX_DEV_DISCOVERY>"), std::string::npos);
}

TEST_F(LanReach, ReportNamesOutsiderAndTheInterfaceWithoutAnswer) {
  VirtualLan::AddAddresses(Env("VLAN_PEER1_NS"), "192.168.7.", 50, 24);
  auto sim = Sim(Env("VLAN_PEER1_NS"), "outsider.conf",
                 std::string(kLan1) +
                     "ip=192.168.7.50 mac=02-4C-40-00-00-01 name=LOBBY mask=255.255.255.0\n");
  auto r = m_Cli.Run({"discover", "--json", "--report", "--ini", m_Cli.Path("quick.ini").string()});
  ASSERT_EQ(r.exit, 0) << r.err;
  const auto parsed = nlohmann::json::parse(r.out);
  EXPECT_EQ(parsed["devices"].size(), 3u);
  // The report's JSON form: NetworkReportTest.
  const auto& eth0 = parsed["report"]["interfaces"][0];
  EXPECT_EQ(eth0["verdict"], "outside_subnet");
  ASSERT_EQ(eth0["outside_subnet"].size(), 1u);
  EXPECT_EQ(eth0["outside_subnet"][0]["ip"], "192.168.7.50");
  EXPECT_EQ(parsed["report"]["kernel_drops"], 0);

  r = m_Cli.Run({"discover", "--report", "--iface", "all", "--ini", m_Cli.Path("quick.ini").string()});
  EXPECT_NE(r.out.find("verdict: no answer on eth1: no printer there, or UDP port 15001 blocked "
                       "by a firewall on this computer\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("verdict: eth0: 2 printers found\n"), std::string::npos) << r.out;
}
