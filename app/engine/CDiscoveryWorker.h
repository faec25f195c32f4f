#pragma once
// Runs discoveries on a thread of their own, with a progress pump beside
// them, each inside a CCGenericThread. The owner starts a run, may pause,
// resume and stop it, and learns of its end through its stop routine.
#include "CCGenericThread.h"
#include "CDiscoveryStateMachine.h"
#include "CZqEvent.h"
#include "EDiscoveryState.h"
#include "IDiscoveryTransport.h"

#include <corvane/CorvaneTypes.h>

#include <atomic>
#include <chrono>
#include <memory>

class CDeviceTable;
class IDiscoveryOwner;

class CDiscoveryWorker {
 public:
  // How long a paused run waits for resume before it ends.
  static constexpr std::chrono::milliseconds kPauseLimit{600000};
  // Pace of the progress pump.
  static constexpr std::chrono::milliseconds kPumpStep{50};
  // How long a thread whose run has ended may take to return.
  static constexpr std::chrono::milliseconds kThreadExitBound{3000};

  // Without a transport the worker uses corvane's UDP transport.
  CDiscoveryWorker(IDiscoveryOwner& owner, CDeviceTable& table,
                   std::unique_ptr<IDiscoveryTransport> pTransport = nullptr);
  // Stops a run that still goes and waits for it to end.
  ~CDiscoveryWorker();
  CDiscoveryWorker(const CDiscoveryWorker&) = delete;
  CDiscoveryWorker& operator=(const CDiscoveryWorker&) = delete;

  // Empties the device table and starts a fresh run from TX_DEV_DISCOVERY
  // (both threads). 0 when a run is still going or a thread did not start.
  BOOL Start();
  // Sets the stop events of both threads; the run ends at its next pass, a
  // paused run at once. Safe from any thread, the worker's own included.
  void RequestStop();
  void Pause();
  void Resume();

  // True from Start until the run has closed its endpoint and ended.
  bool IsRunActive() const { return m_bRunActive.load(); }
  // Waits for the end of the run; true when it has ended (or none was going).
  bool WaitForEnd(std::chrono::milliseconds timeout) const;

  DWORD GetState() const { return m_dwState.load(); }
  // What the last (or current) run saw per interface.
  CDiscoveryReportData GetReport() const { return m_pMachine->GetReport(); }
  // The transport the worker sends through, for messages sent outside a run.
  IDiscoveryTransport& GetTransport() { return *m_pTransport; }

 private:
  static void WorkerProcedure(void* pParam);
  static void PumpProcedure(void* pParam);
  void RunWorker();
  void RunPump();
  // Pause handling of one pass; false when the pause ran out.
  static bool HonourPause(CCGenericThread& thread);

  IDiscoveryOwner& m_Owner;
  CDeviceTable& m_Table;
  std::unique_ptr<IDiscoveryTransport> m_pTransport;
  std::atomic<DWORD> m_dwState{TX_DEV_DISCOVERY};
  std::atomic<bool> m_bRunActive{false};
  CZqEvent m_RunEnded;
  std::unique_ptr<CDiscoveryStateMachine> m_pMachine;
  // Declared last: destroyed first, so that no thread outlives the members
  // it uses.
  CCGenericThread m_PumpThread;
  CCGenericThread m_WorkerThread;
};
