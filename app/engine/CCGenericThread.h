#pragma once
// Runs one procedure on a thread of its own and gives the owner four
// manual-reset events to steer it. The procedure polls the events itself.
#include "CZqDebug.h"
#include "CZqEvent.h"

#include <corvane/CorvaneTypes.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>

class CCGenericThread {
 public:
  using ThreadProc = void (*)(void*);

  CCGenericThread();
  virtual ~CCGenericThread();
  CCGenericThread(const CCGenericThread&) = delete;
  CCGenericThread& operator=(const CCGenericThread&) = delete;

  // Starts the procedure unless it runs already; returns the running flag.
  BOOL StartThread();
  // Asks a running procedure to end (stop event) and waits about 3 s at most.
  void KillThread();
  BOOL IsRunning() const { return m_bRunning.load(); }

  ThreadProc m_pfnThread = nullptr;
  ThreadProc m_pfnKillHelper = nullptr;
  void* m_pParam = nullptr;

  CZqEvent m_hEvent;
  CZqEvent m_hStopEvent;
  CZqEvent m_hPauseEvent;
  CZqEvent m_hResumeEvent;

 private:
  // The implementer of the wrapper owns everything below and may change it.
  BOOL CreateThread();
  void StartFunction();
  void Trace(const wchar_t* szStep);

  std::atomic<BOOL> m_bRunning{0};
  CZqDebug m_Debug;
  std::wstring m_strTrace;
};
