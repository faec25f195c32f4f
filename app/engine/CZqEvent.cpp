#include "CZqEvent.h"

// Notifies under the lock: a waiter returns only once Set has let go of the
// mutex, so an owner that destroys the event after its wait is safe.
void CZqEvent::Set() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bSignalled = true;
  m_cv.notify_all();
}

void CZqEvent::Reset() {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_bSignalled = false;
}

bool CZqEvent::IsSet() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_bSignalled;
}

bool CZqEvent::Wait(std::chrono::milliseconds timeout) const {
  using Clock = std::chrono::steady_clock;
  std::unique_lock<std::mutex> lock(m_mutex);
  const auto isSet = [this] { return m_bSignalled; };
  if (timeout <= std::chrono::milliseconds::zero()) {
    return m_bSignalled;
  }
  const auto now = Clock::now();
  // A time-out too long to add to the clock without overflow waits forever.
  if (timeout >= std::chrono::duration_cast<std::chrono::milliseconds>(Clock::time_point::max() - now)) {
    m_cv.wait(lock, isSet);
    return true;
  }
  return m_cv.wait_until(lock, now + timeout, isSet);
}
