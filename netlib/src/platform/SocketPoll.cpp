#include "platform/SocketPoll.h"

#include "platform/SocketErrors.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>

namespace corvane::platform {

Deadline Deadline::AfterMs(DWORD milliseconds) {
  Deadline deadline;
  deadline.m_when = MonotonicClock::now() + std::chrono::milliseconds(milliseconds);
  return deadline;
}

Deadline Deadline::Never() {
  Deadline deadline;
  deadline.m_never = true;
  return deadline;
}

bool Deadline::HasPassed() const {
  return !m_never && MonotonicClock::now() >= m_when;
}

int Deadline::RemainingPollMs() const {
  if (m_never) return -1;
  const auto left = m_when - MonotonicClock::now();
  if (left <= MonotonicClock::duration::zero()) return 0;
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

namespace {

// One poll over up to two descriptors, repeated after signals and after an
// early return, until something is ready or the deadline has passed.
WaitResult WaitFor(int fd, short events, const Deadline& deadline, int wakeFd) {
  pollfd fds[2] = {{fd, events, 0}, {wakeFd, POLLIN, 0}};
  const nfds_t count = wakeFd >= 0 ? 2 : 1;
  for (;;) {
    const int ready = ::poll(fds, count, deadline.RemainingPollMs());
    if (ready < 0) {
      if (errno == EINTR) continue;
      SetLastErrorFromErrno();
      return WaitResult::kFailed;
    }
    if (count == 2 && fds[1].revents != 0) return WaitResult::kWoken;
    if (ready > 0) return WaitResult::kReady;
    if (deadline.HasPassed()) return WaitResult::kTimedOut;
  }
}

}  // namespace

WaitResult WaitReadable(int fd, const Deadline& deadline, int wakeFd) {
  return WaitFor(fd, POLLIN, deadline, wakeFd);
}

WaitResult WaitWritable(int fd, const Deadline& deadline) {
  return WaitFor(fd, POLLOUT, deadline, -1);
}

WakeEvent::WakeEvent() : m_handle(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void WakeEvent::Signal() {
  const std::uint64_t one = 1;
  // A full counter is still readable, so a failed write changes nothing.
  [[maybe_unused]] const ssize_t written = ::write(m_handle.Get(), &one, sizeof one);
}

}  // namespace corvane::platform
