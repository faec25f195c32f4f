#include "CZqEvent.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
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

TEST(ZqEventTest, WaiterMayDestroyTheEventOnceWoken) {
  // An owner that waits for an event and then goes away frees the event
  // while Set may still be on its way out; Set must be done with it by then.
  // (The sanitizer builds see the fault when it is there.)
  for (int i = 0; i < 500; ++i) {
    auto pEvent = std::make_unique<CZqEvent>();
    CZqEvent* pRaw = pEvent.get();
    std::thread waiter([&pEvent] {
      pEvent->Wait(10s);
      pEvent.reset();
    });
    pRaw->Set();
    waiter.join();
    ASSERT_EQ(pEvent, nullptr);
  }
}
