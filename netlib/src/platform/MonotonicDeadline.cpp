#include "platform/MonotonicDeadline.h"

#include <climits>

namespace corvane::platform {

MonotonicDeadline MonotonicDeadline::AfterMs(DWORD milliseconds) {
  MonotonicDeadline deadline;
  deadline.m_when = Clock::now() + std::chrono::milliseconds(milliseconds);
  return deadline;
}

MonotonicDeadline MonotonicDeadline::Never() {
  MonotonicDeadline deadline;
  deadline.m_never = true;
  return deadline;
}

bool MonotonicDeadline::HasPassed() const { return !m_never && Clock::now() >= m_when; }

int MonotonicDeadline::RemainingPollMs() const {
  if (m_never) return -1;
  const auto left = m_when - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

}  // namespace corvane::platform
