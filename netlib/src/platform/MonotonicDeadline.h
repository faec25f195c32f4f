#pragma once
// A point on the monotonic clock that a wait must not pass.
#include <corvane/CorvaneTypes.h>

#include <chrono>

namespace corvane::platform {

class MonotonicDeadline {
 public:
  using Clock = std::chrono::steady_clock;

  static MonotonicDeadline AfterMs(DWORD milliseconds);
  static MonotonicDeadline Never();

  bool IsNever() const { return m_never; }
  bool HasPassed() const;
  // Milliseconds left, rounded up so that a wait never ends early; -1 for never.
  int RemainingPollMs() const;
  Clock::time_point When() const { return m_when; }

 private:
  Clock::time_point m_when{};
  bool m_never = false;
};

}  // namespace corvane::platform
