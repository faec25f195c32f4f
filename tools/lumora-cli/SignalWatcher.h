#pragma once
// Turns SIGINT, SIGTERM and SIGHUP into a call on a thread of its own, so
// that a discovery can be ended cleanly from the keyboard. Construct it
// before any other thread: the signals are blocked in every thread that is
// started afterwards and taken with sigwait. A second signal ends the
// program at once.
#include <atomic>
#include <functional>
#include <thread>

class SignalWatcher {
 public:
  explicit SignalWatcher(std::function<void()> onSignal);
  ~SignalWatcher();
  SignalWatcher(const SignalWatcher&) = delete;
  SignalWatcher& operator=(const SignalWatcher&) = delete;

  bool Fired() const { return m_bFired.load(); }

 private:
  void Watch();

  std::function<void()> m_OnSignal;
  std::atomic<bool> m_bFired{false};
  std::atomic<bool> m_bQuit{false};
  std::thread m_Thread;
};
