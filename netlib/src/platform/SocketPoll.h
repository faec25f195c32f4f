#pragma once
// Readiness waits of the socket layer: poll() bounded by a deadline taken
// from the monotonic clock, and a wake-up event that ends a wait at once.
#include "platform/SocketHandle.h"

#include <corvane/CorvaneTypes.h>

#include <chrono>

namespace corvane::platform {

using MonotonicClock = std::chrono::steady_clock;

// A point on the monotonic clock a wait must not pass.
class Deadline {
 public:
  static Deadline AfterMs(DWORD milliseconds);
  static Deadline Never();

  bool IsNever() const { return m_never; }
  bool HasPassed() const;
  // Milliseconds left, rounded up so that a wait never ends early; -1 for never.
  int RemainingPollMs() const;
  MonotonicClock::time_point When() const { return m_when; }

 private:
  MonotonicClock::time_point m_when{};
  bool m_never = false;
};

enum class WaitResult { kReady, kTimedOut, kWoken, kFailed };

// Waits until fd is readable (or has an error pending), the deadline passes
// or wakeFd (if >= 0) becomes readable. kFailed sets the last error.
WaitResult WaitReadable(int fd, const Deadline& deadline, int wakeFd = -1);
// Waits until fd is writable (a pending connect has completed) or the deadline passes.
WaitResult WaitWritable(int fd, const Deadline& deadline);

// An event one thread signals to end another thread's wait (an eventfd).
class WakeEvent {
 public:
  // Opens the event; IsValid() tells whether that worked.
  WakeEvent();
  bool IsValid() const { return m_handle.IsValid(); }
  int Get() const { return m_handle.Get(); }
  // Makes the event readable; it stays so (waits see it every time).
  void Signal();

 private:
  SocketHandle m_handle;
};

}  // namespace corvane::platform
