// Safe provisioning inside the virtual LAN: checks, verification, CSV runs
// and the journal. Each test starts its own simulator on peer 1 with
// printers at 10.77.20.1 upwards.
#include "CliCopy.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <csignal>

using namespace std::chrono_literals;

namespace {

constexpr const char* kQuickIni =
    "[UDPTXRXPORT]\nuiRxPort=15001\nuiTxPort=15000\n[RETRYTIME]\ndwMaxDiscoveryTry=2\n"
    "dwMaxNoDataReadTry=1\n[TIMEOUT]\ndwReciveThreadTimeout=150\ndwRxThreadIdleTimeout=0\n"
    "dwRxEthTimeout=1000\n[BROADCAST]\ndwBroadcastType=1\n";

std::size_t Lines(const std::string& text, const std::string& what = "\n") {
  std::size_t n = 0;
  for (auto pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + 1)) ++n;
  return n;
}

class LanProvisioning : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (VirtualLan::Inside()) VirtualLan::AddAddresses(VirtualLan::Env("VLAN_PEER1_NS"), "10.77.20.", 50);
  }
  void SetUp() override {
    if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
    m_Cli.WriteFile("quick.ini", kQuickIni);
  }
  // --verbose logs every request; nothing reads the log while the test runs,
  // so only short runs may have it.
  void StartSim(int count, std::vector<std::string> extra = {"--verbose"}) {
    std::vector<std::string> args = {"--count", std::to_string(count), "--base", "10.77.20.1"};
    args.insert(args.end(), extra.begin(), extra.end());
    m_pSim = VirtualLan::StartSim(args);
  }
  // Ends the simulator; what it logged (every request it heard).
  std::string SimLog() {
    m_pSim->Signal(SIGTERM);
    EXPECT_EQ(m_pSim->Wait(10s), 0);
    return m_pSim->Err();
  }
  CliCopy::Result Cli(std::vector<std::string> args) {
    args.insert(args.end(), {"--ini", m_Cli.Path("quick.ini").string()});
    return m_Cli.Run(args);
  }
  static std::vector<std::string> Set(const std::string& mac, const std::string& ip,
                                      const std::string& mask = "255.255.0.0") {
    return {"set", "--mac", mac, "--ip", ip, "--mask", mask, "--gateway", "10.77.0.1",
            "--name", "Hall 2"};
  }

  CliCopy m_Cli;
  std::unique_ptr<ChildRun> m_pSim;
};

std::string PeerAddresses() {
  ChildRun ip({"ip", "-n", VirtualLan::Env("VLAN_PEER1_NS"), "-4", "addr", "show", "dev", "eth0"});
  ip.Wait(10s);
  return ip.Out();
}

}  // namespace

TEST_F(LanProvisioning, ConfirmedChangeIsVerifiedAndJournaled) {
  StartSim(3);
  const auto r = Cli(Set("02-51-4D-00-00-02", "10.77.40.7"));
  EXPECT_EQ(r.exit, 0) << r.err;
  EXPECT_EQ(r.out, "Printer parameters succesfully updated!\n"
                   "verified at the new address (10.77.40.7)\n");
  const std::string journal = m_Cli.Journal();
  EXPECT_EQ(Lines(journal), 1u);
  for (const char* part : {R"("interface":"eth0")", R"("mac":"02-51-4D-00-00-02")",
                           R"("old":{"dhcp":"0","gateway":"10.77.0.1","ip":"10.77.20.2")",
                           R"("outcome":"confirmed")", R"("verification":"verified")"})
    EXPECT_NE(journal.find(part), std::string::npos) << part << "\n" << journal;
  const auto table = m_Cli.Run({"journal"});
  EXPECT_NE(table.out.find("ip 10.77.20.2 \u2192 10.77.40.7, name \"Lumen Desk 0002\" \u2192 "
                           "\"Hall 2\"  confirmed  verified"),
            std::string::npos) << table.out;

  // The next discovery lists the printer as changed.
  const auto found = Cli({"discover", "--json"});
  ASSERT_EQ(found.exit, 0) << found.err;
  const auto devices = nlohmann::json::parse(found.out);
  const auto moved = std::find_if(devices.begin(), devices.end(), [](const auto& d) { return d["name"] == "Hall 2"; });
  ASSERT_NE(moved, devices.end()) << found.out;
  EXPECT_EQ(*moved, nlohmann::json::parse(R"({"name": "Hall 2", "model": "Quillmark Wide", "ip": "10.77.40.7",
      "subnet_mask": "255.255.0.0", "mac": "02-51-4D-00-00-02", "gateway": "10.77.0.1", "dhcp": "0", "image": 1})"));
  // The simulator gives back the address it added when it ends.
  EXPECT_NE(PeerAddresses().find("10.77.40.7/16"), std::string::npos);
  SimLog();
  EXPECT_EQ(PeerAddresses().find("10.77.40.7"), std::string::npos);
}

TEST_F(LanProvisioning, PrinterThatStaysWhereItWasIsNotVerified) {
  StartSim(3, {"--set-keeps-address", "--verbose"});
  const auto r = Cli(Set("02-51-4D-00-00-02", "10.77.40.7"));
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.out, "Printer parameters succesfully updated!\n"
                   "confirmed, but not seen at the new address yet (last seen at 10.77.20.2)\n");
  EXPECT_NE(m_Cli.Journal().find(R"("verification":"not at new address")"), std::string::npos);
  // Without verification the confirmation is enough.
  const auto quick = Cli({"set", "--mac", "02-51-4D-00-00-03", "--ip", "10.77.40.8", "--mask",
                          "255.255.0.0", "--gateway", "10.77.0.1", "--name", "x", "--no-verify"});
  EXPECT_EQ(quick.exit, 0) << quick.err;
}

TEST_F(LanProvisioning, RefusedChangeFailsWithTheMessageAndIsJournaled) {
  StartSim(2, {"--refuse-set"});
  const auto r = Cli(Set("02-51-4D-00-00-02", "10.77.40.7"));
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(r.out, "Unable to modify printer parameters! Please try again later.\n");
  EXPECT_NE(m_Cli.Journal().find(R"("outcome":"refused")"), std::string::npos) << m_Cli.Journal();
}

TEST_F(LanProvisioning, CheckErrorStopsTheChangeBeforeAnythingIsSent) {
  StartSim(2);
  auto r = Cli(Set("02-51-4D-00-00-02", "10.77.40.7", "255.0.255.0"));
  EXPECT_EQ(r.exit, 1);
  EXPECT_NE(r.err.find("error: The subnet mask 255.0.255.0 is not contiguous"), std::string::npos);
  EXPECT_NE(r.err.find("nothing sent"), std::string::npos);
  r = Cli({"set", "--check", "--mac", "02-51-4D-00-00-02", "--ip", VirtualLan::Env("VLAN_PEER1_IP"),
           "--mask", "255.255.0.0", "--gateway", "10.77.0.1", "--name", "x"});
  EXPECT_EQ(r.exit, 0);
  EXPECT_EQ(r.out, "warning: " + VirtualLan::Env("VLAN_PEER1_IP") +
                       " is already in use: the device with the MAC address 02-4C-00-00-01-01 "
                       "answers for it.\n");
  const std::string log = SimLog();
  EXPECT_NE(log.find("<ZQ><0000>"), std::string::npos);  // the discoveries were heard
  EXPECT_EQ(log.find("<SET>"), std::string::npos);
  EXPECT_TRUE(m_Cli.Journal().empty());
}

TEST_F(LanProvisioning, CsvDryRunAndFaultyFileSendNothing) {
  StartSim(3);
  m_Cli.WriteFile("plan.csv", "mac,ip,name\n02-51-4D-00-00-01,10.77.41.1,\n"
                              "02-51-4D-00-00-02,10.77.41.1,B\n02-51-4D-00-00-09,10.77.41.9,C\n");
  auto r = Cli({"set", "--from-csv", m_Cli.Path("plan.csv").string(), "--dry-run"});
  EXPECT_EQ(r.exit, 1);
  EXPECT_EQ(Lines(r.out, "cannot: "), 3u) << r.out;
  EXPECT_NE(r.out.find("dry run: 0 to change, 0 unchanged, 3 cannot; nothing was sent"),
            std::string::npos) << r.out;
  m_Cli.WriteFile("bad.csv", "mac,ip\n02-51-4D-00-00-01,10.77.41.1\n02-51-4D-00-00,10.77.41.2\n");
  r = Cli({"set", "--from-csv", m_Cli.Path("bad.csv").string()});
  EXPECT_EQ(r.exit, 2);
  EXPECT_EQ(r.err, "lumora-cli: " + m_Cli.Path("bad.csv").string() +
                       ": line 3: '02-51-4D-00-00' is no MAC address (12 hex digits, e.g. "
                       "02:51:4D:00:00:01); nothing was sent\n");
  const std::string log = SimLog();
  EXPECT_EQ(Lines(log, "<ZQ><0000>"), 1u);  // the dry run's survey; the faulty file's none
  EXPECT_EQ(log.find("<SET>"), std::string::npos);
}

TEST_F(LanProvisioning, FiftyPrintersReaddressedFromOneFile) {
  StartSim(50, {});
  std::string csv = "mac,ip,mask,gateway,name,dhcp\n";
  for (int k = 1; k <= 50; ++k) {
    char row[96];
    std::snprintf(row, sizeof row, "02-51-4D-00-00-%02X,10.77.60.%d,,,\"Floor 2, #%d\",\n", k, k, k);
    csv += row;
  }
  m_Cli.WriteFile("fifty.csv", csv);
  const auto r = Cli({"set", "--from-csv", m_Cli.Path("fifty.csv").string()});
  EXPECT_EQ(r.exit, 0) << r.out << r.err;
  EXPECT_EQ(Lines(r.out, "Printer parameters succesfully updated! verified at the new address"),
            50u) << r.out;
  EXPECT_NE(r.out.find("summary: 50 rows: 50 verified, 0 not, 0 unchanged, 0 not sent"),
            std::string::npos) << r.out;
  EXPECT_EQ(Lines(m_Cli.Journal()), 50u);
  EXPECT_EQ(Lines(m_Cli.Journal(), R"("verification":"verified")"), 50u);
}
