// printer-sim running on peer 1 of a virtual LAN, asked over UDP from the
// LAN's host. Runs only inside scripts/vlan (VLAN=1).
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <memory>

#include "ChildProcess.h"
#include "PrinterGenerator.h"
#include "UdpProbe.h"

using namespace printersim;
using namespace std::chrono_literals;

namespace {

constexpr std::size_t kPrinters = 20;
const std::string kBase = "10.77.16.1";

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

Printer Generated(std::size_t k) {
  return PrinterGenerator(*Ipv4Address::Parse(kBase), Ipv4Address(0xFFFF0000),
                          Ipv4Address(0x0A4D0001))
      .Make(k);
}

class LanPrinterSimTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (Env("VLAN") != "1") return;
    // The generated printers' addresses, as scripts/vlan --sim would add them.
    for (std::size_t k = 0; k < kPrinters; ++k) {
      ChildProcess::Run({"ip", "-n", Env("VLAN_PEER1_NS"), "addr", "replace",
                         Generated(k).address.ToString() + "/16", "dev", "eth0"});
    }
  }

  void SetUp() override {
    if (Env("VLAN") != "1") GTEST_SKIP() << "needs the virtual LAN (scripts/vlan)";
    probe_ = std::make_unique<UdpProbe>(15001);
    ASSERT_TRUE(probe_->valid());
  }

  void TearDown() override {
    if (sim_) {
      EXPECT_EQ(sim_->Terminate(), 0) << sim_->output();
    }
  }

  // Starts printer-sim on peer 1 and waits until it listens.
  void StartSim(std::vector<std::string> args) {
    std::vector<std::string> argv = {"ip", "netns", "exec", Env("VLAN_PEER1_NS"),
                                     LUMORA_BINARY_DIR "/bin/printer-sim"};
    argv.insert(argv.end(), args.begin(), args.end());
    sim_ = std::make_unique<ChildProcess>(argv);
    ASSERT_TRUE(sim_->WaitForOutput("printer-sim: ready\n", 5s)) << sim_->output();
  }

  void StartGenerated(std::vector<std::string> extra = {}) {
    std::vector<std::string> args = {"--count", std::to_string(kPrinters), "--base", kBase};
    args.insert(args.end(), extra.begin(), extra.end());
    StartSim(args);
  }

  // Every generated printer's discovery answer, keyed by its address.
  static std::map<std::string, std::string> ExpectedMacAnswers() {
    std::map<std::string, std::string> expected;
    for (std::size_t k = 0; k < kPrinters; ++k) {
      const Printer p = Generated(k);
      expected[p.address.ToString()] = "<ZQ><MAC><" + p.mac + ">";
    }
    return expected;
  }

  std::unique_ptr<UdpProbe> probe_;
  std::unique_ptr<ChildProcess> sim_;
};

TEST_F(LanPrinterSimTest, BroadcastsGetOneAnswerPerPrinterFromItsOwnAddress) {
  StartGenerated();
  for (const std::string& broadcast : {Env("VLAN_BROADCAST"), std::string("255.255.255.255")}) {
    ASSERT_TRUE(probe_->Send(broadcast, 15000, "<ZQ><0000>"));
    std::map<std::string, std::string> answers;
    for (const UdpProbe::Reply& reply : probe_->Collect(kPrinters, 3s)) {
      EXPECT_TRUE(answers.emplace(reply.from, reply.payload).second) << "twice from " << reply.from;
      EXPECT_EQ(reply.fromPort, 15000);
    }
    EXPECT_EQ(answers, ExpectedMacAnswers()) << broadcast;
  }
}

TEST_F(LanPrinterSimTest, UnicastInfoRequestsGetThatPrintersFields) {
  StartGenerated();
  const Printer p = Generated(6);
  const std::string ip = p.address.ToString();
  const std::pair<const char*, std::string> cases[] = {
      {"<ZQ><STSMOQ><NAME>", "<ZQ><NAME><" + p.name + ">"},
      {"<ZQ><STSMOQ><MOD>", "<ZQ><MOD><" + p.model + ">"},
      {"<ZQ><STSMOQ><SNM>", "<ZQ><SNM><255.255.0.0>"},
      {"<ZQ><STSMOQ><GTW>", "<ZQ><GTW><10.77.0.1>"},
      {"<ZQ><STSMOQ><DHCP>", "<ZQ><DHCP><" + p.dhcp + ">"},
      {"<ZQ><0000>", "<ZQ><MAC><" + p.mac + ">"}};
  for (const auto& [request, answer] : cases) {
    ASSERT_TRUE(probe_->Send(ip, 15000, request));
    const auto replies = probe_->Collect(1, 2s, 100ms);
    ASSERT_EQ(replies.size(), 1u) << request;
    EXPECT_EQ(replies[0].from, ip);
    EXPECT_EQ(replies[0].payload, answer);
  }
}

TEST_F(LanPrinterSimTest, ConfiguredPrinterOnThePeersOwnAddress) {
  const std::string path = "/tmp/printer-sim-test-" + std::to_string(getpid()) + ".conf";
  std::ofstream(path) << "# one printer\nip=" << Env("VLAN_PEER1_IP")
                      << " name=\"Lab printer\" dhcp=\"\"\n";
  StartSim({"--config", path, "--port", "16000", "--answer-port", "16002"});
  std::remove(path.c_str());
  UdpProbe probe(16002);
  ASSERT_TRUE(probe.Send(Env("VLAN_PEER1_IP"), 16000, "<ZQ><STSMOQ><NAME>"));
  ASSERT_TRUE(probe.Send(Env("VLAN_PEER1_IP"), 16000, "<ZQ><0!!0>"));
  ASSERT_TRUE(probe.Send(Env("VLAN_BROADCAST"), 16000, "<ZQ><STSMOQ><DHCP>"));
  const auto replies = probe.Collect(2, 2s, 300ms);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].payload, "<ZQ><NAME><Lab printer>");
  EXPECT_EQ(replies[1].payload, "<ZQ><DHCP><>");
  EXPECT_EQ(replies[1].from, Env("VLAN_PEER1_IP"));
}

TEST_F(LanPrinterSimTest, DropAllSendsNothing) {
  StartGenerated({"--drop", "100"});
  ASSERT_TRUE(probe_->Send(Env("VLAN_BROADCAST"), 15000, "<ZQ><0000>"));
  EXPECT_TRUE(probe_->Collect(0, 300ms).empty());
}

TEST_F(LanPrinterSimTest, DuplicateSendsEachAnswerTwice) {
  StartGenerated({"--duplicate"});
  ASSERT_TRUE(probe_->Send(Env("VLAN_BROADCAST"), 15000, "<ZQ><0000>"));
  std::map<std::string, int> count;
  for (const UdpProbe::Reply& reply : probe_->Collect(2 * kPrinters, 3s)) ++count[reply.payload];
  ASSERT_EQ(count.size(), kPrinters);
  for (const auto& [payload, n] : count) EXPECT_EQ(n, 2) << payload;
}

TEST_F(LanPrinterSimTest, GarbageReplacesEveryAnswer) {
  StartGenerated({"--garbage", "100", "--seed", "5"});
  ASSERT_TRUE(probe_->Send(Env("VLAN_BROADCAST"), 15000, "<ZQ><0000>"));
  const auto replies = probe_->Collect(kPrinters, 3s);
  ASSERT_EQ(replies.size(), kPrinters);
  const auto genuine = ExpectedMacAnswers();
  for (const UdpProbe::Reply& reply : replies) EXPECT_NE(reply.payload, genuine.at(reply.from));
}

TEST_F(LanPrinterSimTest, DelayedAnswersComeLaterAndInOrder) {
  StartGenerated({"--delay", "400"});
  const auto sent = std::chrono::steady_clock::now();
  ASSERT_TRUE(probe_->Send("10.77.16.1", 15000, "<ZQ><STSMOQ><NAME>"));
  ASSERT_TRUE(probe_->Send("10.77.16.1", 15000, "<ZQ><STSMOQ><MOD>"));
  // Nothing can come before the delay is over.
  EXPECT_TRUE(probe_->Collect(0, 250ms).empty());
  const auto replies = probe_->Collect(2, 3s, 100ms);
  EXPECT_GE(std::chrono::steady_clock::now() - sent, 400ms);
  ASSERT_EQ(replies.size(), 2u);
  EXPECT_EQ(replies[0].payload, "<ZQ><NAME><ZQ-PRN-0001>");
  EXPECT_EQ(replies[1].payload, "<ZQ><MOD><ZQ-520>");
}

TEST_F(LanPrinterSimTest, SecondSimulatorOnTheSamePortFailsClearly) {
  StartGenerated();
  ChildProcess second({"ip", "netns", "exec", Env("VLAN_PEER1_NS"),
                       LUMORA_BINARY_DIR "/bin/printer-sim", "--count", "1"});
  EXPECT_EQ(second.WaitForExit(5s), 1);
  EXPECT_NE(second.output().find("cannot listen on port 15000"), std::string::npos)
      << second.output();
}

}  // namespace
