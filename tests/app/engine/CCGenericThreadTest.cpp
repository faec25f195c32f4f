#include "CCGenericThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

using namespace std::chrono_literals;

namespace {

// A procedure that runs until its wrapper's stop event is set.
struct Cooperative {
  CCGenericThread thread;
  std::atomic<int> iRuns{0};
  std::atomic<int> iKillHelperCalls{0};
  CZqEvent started;
};

void RunUntilStopped(void* pParam) {
  auto* pOwner = static_cast<Cooperative*>(pParam);
  ++pOwner->iRuns;
  pOwner->started.Set();
  pOwner->thread.m_hStopEvent.Wait(30s);
}

void ReturnAtOnce(void* pParam) { ++static_cast<Cooperative*>(pParam)->iRuns; }

void CountKillHelper(void* pParam) { ++static_cast<Cooperative*>(pParam)->iKillHelperCalls; }

// State of a procedure that ignores the stop event; it outlives its wrapper.
struct Stubborn {
  CZqEvent started;
  CZqEvent release;
  CZqEvent finished;  // set when the thread has ended, wrapper code included
};
Stubborn g_stubborn;

// Signals its event when the thread that made it ends.
struct ThreadEndSignal {
  CZqEvent* pEvent = nullptr;
  ~ThreadEndSignal() {
    if (pEvent != nullptr) pEvent->Set();
  }
};

void IgnoreStop(void* pParam) {
  auto* pState = static_cast<Stubborn*>(pParam);
  thread_local ThreadEndSignal endSignal;
  endSignal.pEvent = &pState->finished;
  pState->started.Set();
  pState->release.Wait(5s);
}

}  // namespace

TEST(GenericThreadTest, StartOnRunningWrapperStartsNothingAndReturnsOne) {
  Cooperative owner;
  owner.thread.m_pfnThread = RunUntilStopped;
  owner.thread.m_pParam = &owner;
  ASSERT_EQ(owner.thread.StartThread(), 1);
  ASSERT_TRUE(owner.started.Wait(5s));
  EXPECT_EQ(owner.thread.StartThread(), 1);
  EXPECT_EQ(owner.thread.IsRunning(), 1);
  owner.thread.m_hStopEvent.Set();
  ASSERT_TRUE(owner.thread.WaitForExit(5s));
  EXPECT_EQ(owner.thread.IsRunning(), 0);
  EXPECT_EQ(owner.iRuns, 1);
}

TEST(GenericThreadTest, WithoutProcedureThreadEndsAtOnce) {
  CCGenericThread thread;
  ASSERT_EQ(thread.StartThread(), 1);
  EXPECT_TRUE(thread.WaitForExit(5s));
  EXPECT_EQ(thread.IsRunning(), 0);
}

TEST(GenericThreadTest, RestartAfterReturnRunsAgainWithResetEvents) {
  Cooperative owner;
  owner.thread.m_pfnThread = ReturnAtOnce;
  owner.thread.m_pParam = &owner;
  ASSERT_EQ(owner.thread.StartThread(), 1);
  ASSERT_TRUE(owner.thread.WaitForExit(5s));
  owner.thread.m_hStopEvent.Set();
  owner.thread.m_hPauseEvent.Set();
  ASSERT_EQ(owner.thread.StartThread(), 1);
  ASSERT_TRUE(owner.thread.WaitForExit(5s));
  EXPECT_EQ(owner.iRuns, 2);
  EXPECT_FALSE(owner.thread.m_hStopEvent.IsSet());
  EXPECT_FALSE(owner.thread.m_hPauseEvent.IsSet());
}

TEST(GenericThreadTest, KillCallsHelperAndStopsCooperativeProcedure) {
  Cooperative owner;
  owner.thread.m_pfnThread = RunUntilStopped;
  owner.thread.m_pfnKillHelper = CountKillHelper;
  owner.thread.m_pParam = &owner;
  ASSERT_EQ(owner.thread.StartThread(), 1);
  ASSERT_TRUE(owner.started.Wait(5s));
  const auto start = std::chrono::steady_clock::now();
  owner.thread.KillThread();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  EXPECT_EQ(owner.thread.IsRunning(), 0);
  EXPECT_EQ(owner.iKillHelperCalls, 1);
}

// The procedure ignores the stop event for 5 s: the destructor gives up after
// about 3 s and the thread finishes later on state the wrapper no longer owns
// (run under AddressSanitizer to see that nothing touches freed memory).
TEST(GenericThreadTest, DestroyingRunningWrapperReturnsWithinBound) {
  auto pThread = std::make_unique<CCGenericThread>();
  pThread->m_pfnThread = IgnoreStop;
  pThread->m_pParam = &g_stubborn;
  ASSERT_EQ(pThread->StartThread(), 1);
  ASSERT_TRUE(g_stubborn.started.Wait(5s));
  const auto start = std::chrono::steady_clock::now();
  pThread.reset();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, 2500ms);
  EXPECT_LT(elapsed, 4s);
  EXPECT_FALSE(g_stubborn.finished.IsSet());
  g_stubborn.release.Set();
  EXPECT_TRUE(g_stubborn.finished.Wait(5s));
}

TEST(GenericThreadTest, TimedOutKillKeepsWrapperRunningSoNoSecondProcedureStarts) {
  Stubborn stubborn;
  CCGenericThread thread;
  thread.m_pfnThread = IgnoreStop;
  thread.m_pParam = &stubborn;
  ASSERT_EQ(thread.StartThread(), 1);
  ASSERT_TRUE(stubborn.started.Wait(5s));
  thread.KillThread();
  EXPECT_EQ(thread.IsRunning(), 1);
  stubborn.started.Reset();
  EXPECT_EQ(thread.StartThread(), 1);
  EXPECT_FALSE(stubborn.started.IsSet());
  stubborn.release.Set();
  EXPECT_TRUE(thread.WaitForExit(5s));
}
