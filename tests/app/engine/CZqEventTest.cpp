#include "CZqEvent.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace std::chrono_literals;

TEST(ZqEventTest, ManualResetAndTimeOut) {
  CZqEvent event;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(event.Wait(100ms));
  EXPECT_GE(std::chrono::steady_clock::now() - start, 100ms);
  event.Set();
  EXPECT_TRUE(event.Wait(0ms));
  EXPECT_TRUE(event.Wait(10ms));  // a wait does not consume the signal
  event.Reset();
  EXPECT_FALSE(event.IsSet());
}

TEST(ZqEventTest, SetWakesEveryWaiterAndHugeTimeOutDoesNotOverflow) {
  CZqEvent event;
  bool bWoken[2] = {false, false};
  std::thread first([&] { bWoken[0] = event.Wait(std::chrono::milliseconds::max()); });
  std::thread second([&] { bWoken[1] = event.Wait(60s); });
  event.Set();
  first.join();
  second.join();
  EXPECT_TRUE(bWoken[0] && bWoken[1]);
}
