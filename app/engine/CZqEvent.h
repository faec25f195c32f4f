#pragma once
// A manual-reset event: once set it stays set, waking every waiter, until
// reset. Starts non-signalled.
#include <chrono>
#include <condition_variable>
#include <mutex>

class CZqEvent {
 public:
  void Set();
  void Reset();
  bool IsSet() const;
  // Waits until the event is set or the time-out runs out; true when set.
  bool Wait(std::chrono::milliseconds timeout) const;

 private:
  mutable std::mutex m_mutex;
  mutable std::condition_variable m_cv;
  bool m_bSignalled = false;
};
