// From a request to the queued answers, without a network: who answers,
// from which address, to where, and when.
#include <gtest/gtest.h>

#include <sstream>

#include "IpText.h"
#include "PrinterGenerator.h"
#include "Simulator.h"

using namespace printersim;
using Clock = AnswerQueue::Clock;
using std::chrono::milliseconds;

namespace {


class SimulatorTest : public ::testing::Test {
 protected:
  void Make(SimOptions options, std::size_t count = 3) {
    const PrinterGenerator generator(options.base, options.subnetMask, options.gateway);
    std::string error;
    sim_ = std::make_unique<Simulator>(options, PrinterTable(*generator.MakeAll(count, error)), log_);
  }
  void Ask(const char* text, const char* to, Clock::time_point at) {
    sim_->Serve(Datagram{Ip("10.77.0.2"), 40000, Ip(to), 15000, text}, at);
  }
  std::vector<Datagram> Due(Clock::time_point at) {
    std::vector<Datagram> out;
    sim_->queue().TakeDue(at, out);
    return out;
  }

  std::ostringstream log_;
  std::unique_ptr<Simulator> sim_;
  const Clock::time_point t0_ = Clock::now();
};

TEST_F(SimulatorTest, AnswersGoFromEachPrinterToTheSendersAnswerPort) {
  Make(SimOptions{.port = 16000, .answerPort = 16001});
  Ask("<ZQ><0000>", "10.77.255.255", t0_);
  const auto answers = Due(t0_);
  ASSERT_EQ(answers.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(answers[k].source, *PrinterGenerator::AddressOf(Ip("10.77.16.1"), k));
    EXPECT_EQ(answers[k].sourcePort, 16000);
    EXPECT_EQ(answers[k].destination, Ip("10.77.0.2"));
    EXPECT_EQ(answers[k].destinationPort, 16001);
  }
  EXPECT_EQ(answers[2].payload, "<ZQ><MAC><02-51-4D-00-00-03>");
  Ask("<ZQ><STSMOQ><NAME>", "10.77.16.2", t0_);
  Ask("<ZQ><STSMOQ><NAME>", "10.77.16.9", t0_);  // no such printer
  Ask("<ZQ><0!!0>", "255.255.255.255", t0_);     // no such request
  const auto unicast = Due(t0_);
  ASSERT_EQ(unicast.size(), 1u);
  EXPECT_EQ(unicast[0].payload, "<ZQ><NAME><Lumen Desk 0002>");
}

TEST_F(SimulatorTest, DelayedAnswersWaitAndKeepTheirOrder) {
  Make(SimOptions{.delayMs = 300}, 2);
  Ask("<ZQ><0000>", "255.255.255.255", t0_);
  Ask("<ZQ><STSMOQ><MOD>", "255.255.255.255", t0_ + milliseconds(100));
  EXPECT_EQ(sim_->queue().NextDue(), t0_ + milliseconds(300));
  EXPECT_TRUE(Due(t0_ + milliseconds(299)).empty());
  const auto first = Due(t0_ + milliseconds(300));
  ASSERT_EQ(first.size(), 2u);
  EXPECT_TRUE(first[0].payload.starts_with("<ZQ><MAC>"));
  const auto second = Due(t0_ + milliseconds(1000));
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[1].payload, "<ZQ><MOD><Quillmark Wide>");
  EXPECT_FALSE(sim_->queue().NextDue());
}

}  // namespace
