#pragma once
// Runs one procedure on a thread of its own and gives the owner four
// manual-reset events to steer it. The procedure polls the events itself.
//
// The thread never touches the wrapper: it runs on a shared state block
// (procedure, parameter, running flag, end event) that it co-owns, so that a
// wrapper destroyed while its procedure still runs leaves nothing behind that
// the thread could reach. Such a thread is detached after the bounded wait of
// KillThread; its procedure must not use the wrapper (or its owner) any more
// once it sees the stop event.
#include "CZqDebug.h"
#include "CZqEvent.h"

#include <corvane/CorvaneTypes.h>

#include <chrono>
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
  // Every start begins with all four events reset.
  BOOL StartThread();
  // Calls the kill helper when set, sets the stop event and waits about 3 s
  // at most for the procedure to return. A procedure that does not return
  // in time is left running and the wrapper stays marked as running.
  void KillThread();
  // 1 from a successful start until the procedure returns.
  BOOL IsRunning() const;
  // Waits for the procedure to return without asking it to; true when it
  // has returned (or none was started).
  bool WaitForExit(std::chrono::milliseconds timeout) const;

  ThreadProc m_pfnThread = nullptr;
  ThreadProc m_pfnKillHelper = nullptr;
  void* m_pParam = nullptr;

  CZqEvent m_hEvent;
  CZqEvent m_hStopEvent;
  CZqEvent m_hPauseEvent;
  CZqEvent m_hResumeEvent;

 private:
  struct ThreadState;

  BOOL CreateThread();
  static void ThreadStartFunction(std::shared_ptr<ThreadState> pState);
  static void StartFunction(ThreadState& state);
  void ReleaseFinishedThread();
  bool WaitForProcedure();
  void Trace(const wchar_t* szStep);

  std::unique_ptr<std::thread> m_pThread;
  std::shared_ptr<ThreadState> m_pState;
  CZqDebug m_Debug;
  std::wstring m_strTrace;
};
