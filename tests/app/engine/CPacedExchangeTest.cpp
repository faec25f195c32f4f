#include "CPacedExchange.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;
using Request = CPacedExchange::Request;

TEST(CPacedExchange, NeverMoreThanTheWindowWaits) {
  CPacedExchange paced(3, 200ms);
  for (DWORD a = 1; a <= 5; ++a) paced.Add({a, 0});
  const auto t0 = CPacedExchange::Clock::time_point{};
  EXPECT_EQ(paced.TakeSendable(t0), (std::vector<Request>{{1, 0}, {2, 0}, {3, 0}}));
  EXPECT_TRUE(paced.TakeSendable(t0).empty());
  // An answer of another kind or from elsewhere frees nothing.
  EXPECT_FALSE(paced.Answer(2, 1));
  EXPECT_FALSE(paced.Answer(9, 0));
  EXPECT_TRUE(paced.TakeSendable(t0).empty());
  EXPECT_TRUE(paced.Answer(2, 0));
  EXPECT_FALSE(paced.Answer(2, 0));  // answered once only
  EXPECT_EQ(paced.TakeSendable(t0 + 10ms), (std::vector<Request>{{4, 0}}));
  EXPECT_EQ(paced.NextDeadline(), t0 + 200ms);
}

TEST(CPacedExchange, TimedOutRequestsMakeRoomAndTheExchangeEnds) {
  CPacedExchange paced(2, 100ms);
  for (DWORD a = 1; a <= 3; ++a) paced.Add({a, 0});
  const auto t0 = CPacedExchange::Clock::time_point{};
  paced.TakeSendable(t0);
  EXPECT_EQ(paced.Expire(t0 + 99ms), 0u);
  EXPECT_EQ(paced.Expire(t0 + 100ms), 2u);
  EXPECT_EQ(paced.TakeSendable(t0 + 100ms), (std::vector<Request>{{3, 0}}));
  EXPECT_FALSE(paced.Done());
  EXPECT_TRUE(paced.Answer(3, 0));
  EXPECT_TRUE(paced.Done());
  EXPECT_FALSE(paced.NextDeadline());
}
