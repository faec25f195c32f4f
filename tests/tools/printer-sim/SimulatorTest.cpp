// From a request to the queued answers, without a network: who answers,
// from which address, to where, and when.
#include <gtest/gtest.h>

#include <sstream>

#include "AnswerQueue.h"
#include "PrinterGenerator.h"
#include "Simulator.h"

using namespace printersim;
using Clock = AnswerQueue::Clock;
using std::chrono::milliseconds;

namespace {

Ipv4Address Ip(const char* text) { return Ipv4Address::Parse(text).value(); }

class SimulatorTest : public ::testing::Test {
 protected:
  std::unique_ptr<Simulator> Make(SimOptions options, std::size_t count = 3) {
    const PrinterGenerator generator(options.base, options.subnetMask, options.gateway);
    std::string error;
    return std::make_unique<Simulator>(options, PrinterTable(*generator.MakeAll(count, error)),
                                       log_);
  }
  static Datagram Request(const char* text, const char* to) {
    return Datagram{Ip("10.77.0.2"), 40000, Ip(to), 15000, text};
  }
  static std::vector<Datagram> Due(Simulator& sim, Clock::time_point at) {
    std::vector<Datagram> out;
    sim.queue().TakeDue(at, out);
    return out;
  }

  std::ostringstream log_;
  const Clock::time_point t0_ = Clock::now();
};

TEST_F(SimulatorTest, BroadcastIsAnsweredByEveryPrinterFromItsAddressToTheAnswerPort) {
  auto sim = Make(SimOptions{});
  sim->Serve(Request("<ZQ><0000>", "10.77.255.255"), t0_);
  const auto answers = Due(*sim, t0_);
  ASSERT_EQ(answers.size(), 3u);
  for (std::size_t k = 0; k < 3; ++k) {
    EXPECT_EQ(answers[k].source, *PrinterGenerator::AddressOf(Ip("10.77.16.1"), k));
    EXPECT_EQ(answers[k].sourcePort, 15000);
    EXPECT_EQ(answers[k].destination, Ip("10.77.0.2"));
    EXPECT_EQ(answers[k].destinationPort, 15001);
  }
  EXPECT_EQ(answers[2].payload, "<ZQ><MAC><00-1B-4C-00-00-03>");
}

TEST_F(SimulatorTest, UnicastIsAnsweredByThatPrinterOnly) {
  SimOptions options;
  options.port = 16000;
  options.answerPort = 16001;
  auto sim = Make(options);
  sim->Serve(Request("<ZQ><STSMOQ><NAME>", "10.77.16.2"), t0_);
  sim->Serve(Request("<ZQ><STSMOQ><NAME>", "10.77.16.9"), t0_);
  sim->Serve(Request("<ZQ><0!!0>", "255.255.255.255"), t0_);
  const auto answers = Due(*sim, t0_);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_EQ(answers[0].payload, "<ZQ><NAME><ZQ-PRN-0002>");
  EXPECT_EQ(answers[0].sourcePort, 16000);
  EXPECT_EQ(answers[0].destinationPort, 16001);
}

TEST_F(SimulatorTest, DelayedAnswersWaitAndKeepTheirOrder) {
  SimOptions options;
  options.delayMs = 300;
  auto sim = Make(options, 2);
  sim->Serve(Request("<ZQ><0000>", "255.255.255.255"), t0_);
  sim->Serve(Request("<ZQ><STSMOQ><MOD>", "255.255.255.255"), t0_ + milliseconds(100));
  EXPECT_EQ(sim->queue().NextDue(), t0_ + milliseconds(300));
  EXPECT_TRUE(Due(*sim, t0_ + milliseconds(299)).empty());
  const auto first = Due(*sim, t0_ + milliseconds(300));
  ASSERT_EQ(first.size(), 2u);
  EXPECT_TRUE(first[0].payload.starts_with("<ZQ><MAC>"));
  const auto second = Due(*sim, t0_ + milliseconds(1000));
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[1].payload, "<ZQ><MOD><ZQ-630>");
  EXPECT_FALSE(sim->queue().NextDue());
}

TEST_F(SimulatorTest, VerboseLogsEachRequestReadably) {
  SimOptions options;
  options.verbose = true;
  auto sim = Make(options);
  sim->Serve(Request("<ZQ><0000>", "10.77.255.255"), t0_);
  Datagram odd = Request("", "10.77.16.1");
  odd.payload = std::string("a\0\xff", 3);
  sim->Serve(odd, t0_);
  EXPECT_EQ(log_.str(),
            "printer-sim: \"<ZQ><0000>\" from 10.77.0.2:40000 to 10.77.255.255: 3 printers, 3 answers\n"
            "printer-sim: \"a\\x00\\xFF\" from 10.77.0.2:40000 to 10.77.16.1: 1 printers, 0 answers\n");
}

TEST(AnswerQueueTest, EarlierDueTimesGoFirstEvenWhenQueuedLater) {
  AnswerQueue queue;
  const auto t0 = Clock::now();
  queue.Push(t0 + milliseconds(20), Datagram{.payload = "b"});
  queue.Push(t0 + milliseconds(20), Datagram{.payload = "c"});
  queue.Push(t0 + milliseconds(10), Datagram{.payload = "a"});
  EXPECT_EQ(queue.NextDue(), t0 + milliseconds(10));
  std::vector<Datagram> out;
  queue.TakeDue(t0 + milliseconds(20), out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].payload + out[1].payload + out[2].payload, "abc");
  EXPECT_TRUE(queue.empty());
}

}  // namespace
