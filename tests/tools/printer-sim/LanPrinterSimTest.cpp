// printer-sim on peer 1 of a virtual LAN, asked over UDP from the LAN's
// host. Runs only inside scripts/vlan (VLAN=1).
#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <map>
#include <memory>
#include <optional>

#include "PrinterGenerator.h"
#include "TempDir.h"
#include "UdpProbe.h"
#include "VirtualLan.h"

using namespace printersim;
using namespace std::chrono_literals;
using Replies = std::vector<UdpProbe::Reply>;
using VirtualLan::Env;

namespace {

constexpr std::size_t kPrinters = 20;

Printer Generated(std::size_t k) {
  return PrinterGenerator(Ipv4Address(0x0A4D1001), Ipv4Address(0xFFFF0000),
                          Ipv4Address(0x0A4D0001)).Make(k);
}

// Every generated printer's discovery answer, keyed by its address.
std::map<std::string, std::string> MacAnswers() {
  std::map<std::string, std::string> answers;
  for (std::size_t k = 0; k < kPrinters; ++k)
    answers[Generated(k).address.ToString()] = "<ZQ><MAC><" + Generated(k).mac + ">";
  return answers;
}

class LanPrinterSimTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { VirtualLan::AddPrinterAddresses(kPrinters); }
  void SetUp() override {
    if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN (scripts/vlan)";
    probe_.emplace(15001);
  }
  void TearDown() override {
    if (sim_) {
      sim_->Signal(SIGTERM);
      EXPECT_EQ(sim_->Wait(5s), 0) << sim_->Err();  // SIGTERM ends it cleanly
    }
  }
  void StartSim(const std::vector<std::string>& args) { sim_ = VirtualLan::StartSim(args); }
  void StartGenerated(std::vector<std::string> faults = {}) {
    faults.insert(faults.begin(), {"--count", std::to_string(kPrinters), "--base", "10.77.16.1"});
    StartSim(std::move(faults));
  }
  Replies Discover(const std::string& to, std::size_t expected) {
    EXPECT_TRUE(probe_->Send(to, 15000, "<ZQ><0000>"));
    return probe_->Collect(expected, 3s);
  }

  std::optional<UdpProbe> probe_;
  std::unique_ptr<ChildRun> sim_;
};

// Unicast and broadcast information requests to a configured printer on
// other ports, answered in order. (The delay's timing: SimulatorTest.)
TEST_F(LanPrinterSimTest, ConfiguredPrinterOnOtherPortsAnswersInOrder) {
  const TempDir dir;
  const std::string path = (dir.path() / "printers.conf").string();
  std::ofstream(path) << "ip=" << Env("VLAN_PEER1_IP") << " name=\"Lab printer\" dhcp=\"\"\n";
  StartSim({"--config", path, "--port", "16000", "--answer-port", "16002", "--delay", "400"});
  UdpProbe probe(16002);
  ASSERT_TRUE(probe.Send(Env("VLAN_PEER1_IP"), 16000, "<ZQ><STSMOQ><NAME>"));
  ASSERT_TRUE(probe.Send(Env("VLAN_PEER1_IP"), 16000, "<ZQ><0!!0>"));  // not answered
  ASSERT_TRUE(probe.Send(Env("VLAN_BROADCAST"), 16000, "<ZQ><STSMOQ><DHCP>"));
  const Replies replies = probe.Collect(2, 3s, 300ms);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].payload, "<ZQ><NAME><Lab printer>");
  EXPECT_EQ(replies[1].payload, "<ZQ><DHCP><>");
}

// Every printer answers a broadcast from its own address and port 15000; the
// fault options reach the answers: each printer's one answer comes twice, and
// never as the genuine text. (The limited broadcast and the genuine answers
// over the LAN: LanDiscovery, LanReach.)
TEST_F(LanPrinterSimTest, BroadcastAnswersComeFromEachPrinterWithTheFaultsAsked) {
  StartGenerated({"--duplicate", "--garbage", "100", "--seed", "5"});
  const auto genuine = MacAnswers();
  const Replies replies = Discover(Env("VLAN_BROADCAST"), 2 * kPrinters);
  ASSERT_EQ(replies.size(), 2 * kPrinters);
  std::map<std::string, int> perPrinter;
  for (const auto& reply : replies) {
    ++perPrinter[reply.from];
    EXPECT_EQ(reply.fromPort, 15000);
    EXPECT_NE(reply.payload, genuine.at(reply.from));
  }
  ASSERT_EQ(perPrinter.size(), kPrinters);
  for (const auto& [from, n] : perPrinter) EXPECT_EQ(n, 2) << from;
}

TEST_F(LanPrinterSimTest, SecondSimulatorOnTheSamePortFailsClearly) {
  StartGenerated();
  ChildRun second(VirtualLan::SimCommand({"--count", "1"}));
  EXPECT_EQ(second.Wait(5s), 1);
  EXPECT_NE(second.Err().find("cannot listen on port 15000"), std::string::npos);
}

}  // namespace
