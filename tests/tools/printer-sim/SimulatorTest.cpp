// When queued answers are due, without a network (who answers from which
// address to where: LanPrinterSimTest and PrinterTableTest).
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
