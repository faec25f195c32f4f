#include "CDiscoveryWorker.h"

#include "CDeviceTable.h"
#include "CUdpDiscoveryTransport.h"
#include "IDiscoveryOwner.h"

CDiscoveryWorker::CDiscoveryWorker(IDiscoveryOwner& owner, CDeviceTable& table,
                                   std::unique_ptr<IDiscoveryTransport> pTransport)
    : m_Owner(owner),
      m_Table(table),
      m_pTransport(pTransport ? std::move(pTransport)
                              : std::make_unique<CUdpDiscoveryTransport>()) {
  m_pMachine = std::make_unique<CDiscoveryStateMachine>(
      owner, table, *m_pTransport, m_dwState, [this](DWORD dwMilliseconds) {
        // The idle pause ends early when the run is asked to stop.
        m_WorkerThread.m_hStopEvent.Wait(std::chrono::milliseconds(dwMilliseconds));
      });
  m_WorkerThread.m_pfnThread = &CDiscoveryWorker::WorkerProcedure;
  m_WorkerThread.m_pParam = this;
  m_PumpThread.m_pfnThread = &CDiscoveryWorker::PumpProcedure;
  m_PumpThread.m_pParam = this;
}

CDiscoveryWorker::~CDiscoveryWorker() {
  RequestStop();
  // The run notices the stop within one receive time-out; the threads may
  // not be abandoned while they still use this object.
  while (!WaitForEnd(std::chrono::seconds(60))) {
  }
  m_WorkerThread.WaitForExit(kThreadExitBound);
  m_PumpThread.WaitForExit(kThreadExitBound);
}

BOOL CDiscoveryWorker::Start() {
  if (m_bRunActive.load()) return 0;
  // Right after a run the threads may still be on their way out.
  if (!m_WorkerThread.WaitForExit(kThreadExitBound) || !m_PumpThread.WaitForExit(kThreadExitBound))
    return 0;
  m_Table.Clear();
  m_dwState.store(TX_DEV_DISCOVERY);
  for (CCGenericThread* pThread : {&m_WorkerThread, &m_PumpThread}) {
    pThread->m_hStopEvent.Reset();
    pThread->m_hPauseEvent.Reset();
    pThread->m_hResumeEvent.Reset();
  }
  m_RunEnded.Reset();
  m_bRunActive.store(true);
  // The pump first: starting a wrapper resets its stop event, which a run
  // that ends at once may already have set.
  m_PumpThread.StartThread();  // the run does not depend on its progress display
  if (!m_WorkerThread.StartThread()) {
    m_PumpThread.m_hStopEvent.Set();
    m_bRunActive.store(false);
    m_RunEnded.Set();
    return 0;
  }
  return 1;
}

void CDiscoveryWorker::RequestStop() {
  m_WorkerThread.m_hStopEvent.Set();
  m_PumpThread.m_hStopEvent.Set();
  // Wakes a paused worker, which then sees the stop event.
  m_WorkerThread.m_hResumeEvent.Set();
}

void CDiscoveryWorker::Pause() { m_WorkerThread.m_hPauseEvent.Set(); }

void CDiscoveryWorker::Resume() { m_WorkerThread.m_hResumeEvent.Set(); }

bool CDiscoveryWorker::WaitForEnd(std::chrono::milliseconds timeout) const {
  if (!m_bRunActive.load()) return true;
  return m_RunEnded.Wait(timeout);
}

void CDiscoveryWorker::WorkerProcedure(void* pParam) {
  static_cast<CDiscoveryWorker*>(pParam)->RunWorker();
}

void CDiscoveryWorker::PumpProcedure(void* pParam) {
  static_cast<CDiscoveryWorker*>(pParam)->RunPump();
}

bool CDiscoveryWorker::HonourPause(CCGenericThread& thread) {
  bool bGoOn = true;
  if (thread.m_hPauseEvent.IsSet()) {
    thread.m_hPauseEvent.Reset();
    bGoOn = thread.m_hResumeEvent.Wait(kPauseLimit);
  }
  thread.m_hResumeEvent.Reset();
  return bGoOn;
}

void CDiscoveryWorker::RunWorker() {
  m_pMachine->Begin();
  for (;;) {
    const bool bRunning = HonourPause(m_WorkerThread);
    if (m_WorkerThread.m_hStopEvent.IsSet() || !bRunning) break;
    m_Owner.ToggleLamp(IDiscoveryOwner::kLoopLamp);
    const DWORD dwState = m_dwState.load();
    m_pMachine->Pass();
    // The owner's stop routine sets the stop events; setting them here too
    // ends the run even when the owner carries its effects out later.
    if (dwState == END_JOB) RequestStop();
  }
  m_pMachine->End();
  m_dwState.store(TX_DEV_DISCOVERY);
  m_PumpThread.m_hStopEvent.Set();  // no progress display without a run
  m_bRunActive.store(false);
  m_RunEnded.Set();
}

void CDiscoveryWorker::RunPump() {
  for (;;) {
    // Each pass lasts one step unless the pump is asked to stop.
    if (m_PumpThread.m_hStopEvent.Wait(kPumpStep)) break;
    if (!HonourPause(m_PumpThread)) break;
    if (m_PumpThread.m_hStopEvent.IsSet()) break;
    m_Owner.StepProgress();
  }
}
