#include "CDeviceTable.h"
#include "CDiscoveryWorker.h"
#include "FakeTransport.h"
#include "RecordingOwner.h"

#include <gtest/gtest.h>

#include <stop_token>
#include <thread>
#include <vector>

using namespace std::chrono_literals;

namespace {

// A worker on its own threads with a fake transport whose receives wait
// their time-out like a socket would. Generous bounds only: these check
// that things end, not how fast.
class WorkerTest : public ::testing::Test {
 protected:
  WorkerTest() {
    m_Owner.m_Settings.dwReciveThreadTimeout = 20;
    m_Owner.m_Settings.dwRxThreadIdleTimeout = 5;
    m_pTransport->m_bWaitTimeouts = true;
    m_Owner.m_OnStop = [this] { m_pWorker->RequestStop(); };
  }

  RecordingOwner m_Owner;
  CDeviceTable m_Table{m_Owner};
  std::unique_ptr<FakeTransport> m_pOwnedTransport = std::make_unique<FakeTransport>();
  FakeTransport* m_pTransport = m_pOwnedTransport.get();  // the worker below owns it
  std::unique_ptr<CDiscoveryWorker> m_pWorker =
      std::make_unique<CDiscoveryWorker>(m_Owner, m_Table, std::move(m_pOwnedTransport));
};

}  // namespace

TEST_F(WorkerTest, RunEndsByItselfAndCanBeStartedAgain) {
  m_pTransport->m_Responder = PrinterResponder({kPrinterA});
  ASSERT_EQ(m_pWorker->Start(), 1);
  EXPECT_EQ(m_pWorker->Start(), 0);  // a run is going
  ASSERT_TRUE(m_pWorker->WaitForEnd(30s));
  EXPECT_EQ(m_pWorker->GetState(), TX_DEV_DISCOVERY);
  EXPECT_EQ(m_Owner.StopCalls(), 1u);
  ASSERT_EQ(m_Table.GetDeviceCount(), 1u);
  EXPECT_EQ(m_Table.GetDevice(0)->strName, L"OFFICE-1");
  EXPECT_GT(m_Owner.Toggles(0), 10u);
  EXPECT_GT(m_Owner.ProgressSteps(), 0u);
  EXPECT_EQ(m_pTransport->m_dwCloseCalls, 1u);
  const size_t discoveries = m_pTransport->SentCount(L"<ZQ><0000>");
  EXPECT_EQ(discoveries, 3u);

  // A second run starts from fresh counters: it asks again and finds the
  // printer again.
  ASSERT_EQ(m_pWorker->Start(), 1);
  ASSERT_TRUE(m_pWorker->WaitForEnd(30s));
  EXPECT_EQ(m_pTransport->SentCount(L"<ZQ><0000>"), 2 * discoveries);
  ASSERT_EQ(m_Table.GetDeviceCount(), 1u);
  EXPECT_EQ(m_Table.GetDevice(0)->strName, L"OFFICE-1");

  // A new run starts from an empty table, and ends even when the owner's
  // stop routine leaves the worker alone.
  m_pTransport->m_Responder = nullptr;
  m_Owner.m_OnStop = nullptr;
  ASSERT_EQ(m_pWorker->Start(), 1);
  ASSERT_TRUE(m_pWorker->WaitForEnd(30s));
  EXPECT_EQ(m_Table.GetDeviceCount(), 0u);
  EXPECT_EQ(m_Owner.StopCalls(), 3u);
}

TEST_F(WorkerTest, StopDuringReceiveEndsRunAfterReceiveReturns) {
  m_Owner.m_Settings.dwReciveThreadTimeout = 1000;
  ASSERT_EQ(m_pWorker->Start(), 1);
  ASSERT_TRUE(m_pTransport->WaitInReceive(10s));
  const DWORD dwReceives = m_pTransport->m_dwReceives;
  m_pWorker->RequestStop();
  ASSERT_TRUE(m_pWorker->WaitForEnd(10s));
  EXPECT_EQ(m_pTransport->m_dwReceives, dwReceives);  // no further receive
  EXPECT_EQ(m_pTransport->m_dwCloseCalls, 1u);
  EXPECT_EQ(m_Owner.StopCalls(), 0u);
  EXPECT_EQ(m_Owner.ConsoleCount(L"<END_JOB>"), 0u);
  EXPECT_EQ(m_pWorker->GetState(), TX_DEV_DISCOVERY);
}

TEST_F(WorkerTest, LongIdlePauseEndsAtStop) {
  m_Owner.m_Settings.dwRxThreadIdleTimeout = 600000;
  ASSERT_EQ(m_pWorker->Start(), 1);
  ASSERT_TRUE(m_Owner.WaitForConsole(L"<RX_DEV_IDLE>", 10s));
  m_pWorker->RequestStop();
  EXPECT_TRUE(m_pWorker->WaitForEnd(10s));
}

// Every pause holds the run until its resume, the second as the first (a
// resume does not stay in force), and a stop ends it. Many tries keep the run
// going meanwhile.
TEST_F(WorkerTest, PauseHoldsTheRunUntilResumeOrStop) {
  m_Owner.m_Settings.dwReciveThreadTimeout = 100;
  m_Owner.m_Settings.dwMaxDiscoveryTry = 1000;
  ASSERT_EQ(m_pWorker->Start(), 1);
  for (int i = 0; i < 2; ++i) {
    ASSERT_TRUE(m_pTransport->WaitInReceive(10s));
    m_pWorker->Pause();
    // The pass in progress finishes, then the worker waits for resume.
    EXPECT_FALSE(m_pWorker->WaitForEnd(300ms));
    const DWORD dwHeld = m_Owner.Toggles(0);
    EXPECT_FALSE(m_pWorker->WaitForEnd(300ms));
    EXPECT_EQ(m_Owner.Toggles(0), dwHeld) << "pause " << i + 1;
    m_pWorker->Resume();
    ASSERT_TRUE(m_Owner.WaitForToggles(0, dwHeld + 1, 10s));
  }
  // A stop ends a paused run.
  m_pWorker->Pause();
  ASSERT_FALSE(m_pWorker->WaitForEnd(200ms));
  m_pWorker->RequestStop();
  EXPECT_TRUE(m_pWorker->WaitForEnd(10s));
  EXPECT_EQ(m_Owner.StopCalls(), 0u);
}

TEST_F(WorkerTest, DestroyingWorkerStopsRun) {
  m_Owner.m_Settings.dwReciveThreadTimeout = 500;
  ASSERT_EQ(m_pWorker->Start(), 1);
  ASSERT_TRUE(m_pTransport->WaitInReceive(10s));
  m_pWorker.reset();  // must not leave a thread that uses freed members
  EXPECT_EQ(m_Owner.StopCalls(), 0u);
}

TEST_F(WorkerTest, QuickRunsLeaveNoProgressPumpBehind) {
  // With no tries a run ends within microseconds, often before Start has got
  // to the progress pump (busy threads beside it make that likelier). The
  // pump must stop all the same, or the next Start finds it still going.
  m_Owner.m_Settings.dwMaxDiscoveryTry = 0;
  m_pTransport->m_bWaitTimeouts = false;
  int iRuns = 0;
  {
    std::vector<std::jthread> spinners;  // stopped and joined at the end of the block
    for (int i = 0; i < 2; ++i)
      spinners.emplace_back([](std::stop_token stop) {
        while (!stop.stop_requested()) {
        }
      });
    for (; iRuns < 2000; ++iRuns) {
      if (m_pWorker->Start() != 1 || !m_pWorker->WaitForEnd(10s)) break;
    }
  }
  EXPECT_EQ(iRuns, 2000);
  EXPECT_EQ(m_Owner.StopCalls(), static_cast<DWORD>(iRuns));
}
