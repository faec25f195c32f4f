#include "CCGenericThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

using namespace std::chrono_literals;

namespace {

// Owner of a wrapper; its procedures count their runs and the kill helper's
// calls. A stubborn procedure ignores the stop event until released.
struct Owner {
  CCGenericThread thread;
  std::atomic<int> iRuns{0};
  std::atomic<int> iKillHelperCalls{0};
  CZqEvent started, release, ended;
};

// Sets its event when the thread that made it ends, after the wrapper's code.
struct ThreadEndSignal {
  CZqEvent* pEvent = nullptr;
  ~ThreadEndSignal() { if (pEvent != nullptr) pEvent->Set(); }
};

void RunUntilStopped(void* p) {
  auto* pOwner = static_cast<Owner*>(p);
  ++pOwner->iRuns;
  pOwner->started.Set();
  pOwner->thread.m_hStopEvent.Wait(30s);
}
void ReturnAtOnce(void* p) { ++static_cast<Owner*>(p)->iRuns; }
void CountKillHelper(void* p) { ++static_cast<Owner*>(p)->iKillHelperCalls; }
void IgnoreStop(void* p) {
  auto* pOwner = static_cast<Owner*>(p);
  thread_local ThreadEndSignal endSignal;
  endSignal.pEvent = &pOwner->ended;
  pOwner->started.Set();
  pOwner->release.Wait(5s);
}

void Prepare(Owner& owner, CCGenericThread& thread, CCGenericThread::ThreadProc pfn) {
  thread.m_pfnThread = pfn;
  thread.m_pfnKillHelper = CountKillHelper;
  thread.m_pParam = &owner;
}

}  // namespace

TEST(GenericThreadTest, StartOnRunningStartsNothingAndKillStopsIt) {
  Owner owner;
  Prepare(owner, owner.thread, RunUntilStopped);
  ASSERT_EQ(owner.thread.StartThread(), 1);
  ASSERT_TRUE(owner.started.Wait(5s));
  EXPECT_EQ(owner.thread.StartThread(), 1);
  EXPECT_EQ(owner.thread.IsRunning(), 1);
  const auto start = std::chrono::steady_clock::now();
  owner.thread.KillThread();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
  EXPECT_EQ(owner.thread.IsRunning(), 0);
  EXPECT_EQ(owner.iRuns, 1);
  EXPECT_EQ(owner.iKillHelperCalls, 1);
}

TEST(GenericThreadTest, RestartAfterReturnRunsAgainWithResetEvents) {
  Owner owner;
  Prepare(owner, owner.thread, ReturnAtOnce);
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

// The destructor gives up after about 3 s; the thread then ends on state the
// wrapper no longer owns (AddressSanitizer builds see any touch of freed memory).
TEST(GenericThreadTest, DestroyingRunningWrapperReturnsWithinBound) {
  static Owner owner;  // outlives the abandoned thread
  auto pThread = std::make_unique<CCGenericThread>();
  Prepare(owner, *pThread, IgnoreStop);
  ASSERT_EQ(pThread->StartThread(), 1);
  ASSERT_TRUE(owner.started.Wait(5s));
  const auto start = std::chrono::steady_clock::now();
  pThread.reset();
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_GE(elapsed, 2500ms);
  EXPECT_LT(elapsed, 4s);
  EXPECT_EQ(owner.iKillHelperCalls, 1);
  owner.release.Set();
  EXPECT_TRUE(owner.ended.Wait(5s));
}

// A procedure still running after a timed-out kill keeps the wrapper marked
// running, so that a second one never runs beside it.
TEST(GenericThreadTest, TimedOutKillStartsNoSecondProcedure) {
  Owner owner;
  Prepare(owner, owner.thread, IgnoreStop);
  ASSERT_EQ(owner.thread.StartThread(), 1);
  ASSERT_TRUE(owner.started.Wait(5s));
  owner.thread.KillThread();
  EXPECT_EQ(owner.thread.IsRunning(), 1);
  owner.started.Reset();
  EXPECT_EQ(owner.thread.StartThread(), 1);
  EXPECT_FALSE(owner.started.IsSet());
  owner.release.Set();
  EXPECT_TRUE(owner.ended.Wait(5s));
}
