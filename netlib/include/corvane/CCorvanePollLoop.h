#pragma once
// corvane's own event loop, built on the platform's poll facility (epoll), for
// programs without a toolkit.
// Run, RunFor and RunOnce dispatch callbacks on the calling thread, which
// should be the thread that constructed the loop; Quit may come from any
// thread.
#include <corvane/CCorvaneEventLoop.h>
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <chrono>
#include <cstdint>
#include <memory>

class CORVANE_EXPORT CCorvanePollLoop : public CCorvaneEventLoop {
 public:
  CCorvanePollLoop();
  ~CCorvanePollLoop() override;

  std::unique_ptr<CCorvaneWatch> WatchReadable(int fd, Callback callback) override;
  std::unique_ptr<CCorvaneWatch> WatchWritable(int fd, Callback callback) override;

  // Dispatches until Quit.
  void Run();
  // Dispatches until Quit or until dwMilliseconds have passed. Returns 1 when
  // it ended through Quit.
  BOOL RunFor(DWORD dwMilliseconds);
  // Waits at most iTimeoutMs (negative: no limit) for one round of events and
  // dispatches them. Returns the number of callbacks made, -1 on failure.
  int RunOnce(int iTimeoutMs);
  // Dispatches until done() holds or dwMilliseconds have passed; returns done().
  template <typename Predicate>
  bool RunUntil(Predicate done, DWORD dwMilliseconds);
  // Makes Run or RunFor return. Safe from any thread.
  void Quit();

  // The calling thread's current loop when it is a poll loop, otherwise a
  // poll loop owned by the thread (made current when no loop is).
  static CCorvanePollLoop& ForCurrentThread();

  struct State;  // the loop's internals, shared with its watches

 private:
  bool TakeQuit();
  std::unique_ptr<CCorvaneWatch> Watch(int fd, std::uint32_t events, Callback callback);
  // Milliseconds from now until deadline, rounded up and capped at the
  // longest single wait; 0 once it has passed.
  static int WaitMsUntil(std::chrono::steady_clock::time_point deadline);
  std::shared_ptr<State> m_pState;
};

template <typename Predicate>
bool CCorvanePollLoop::RunUntil(Predicate done, DWORD dwMilliseconds) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(dwMilliseconds);
  while (!done()) {
    const int iWaitMs = WaitMsUntil(deadline);
    if (iWaitMs == 0 || RunOnce(iWaitMs) < 0) return done();
  }
  return true;
}
