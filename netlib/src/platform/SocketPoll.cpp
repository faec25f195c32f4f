#include "platform/SocketPoll.h"

#include <poll.h>

#include <cerrno>

#include "platform/SocketErrors.h"

namespace corvane::platform {
namespace {

// One poll over up to two descriptors, repeated after signals and after an
// early return, until something is ready or the deadline has passed.
WaitResult WaitFor(int fd, short events, const MonotonicDeadline& deadline, int wakeFd) {
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

WaitResult WaitReadable(int fd, const MonotonicDeadline& deadline, int wakeFd) {
  return WaitFor(fd, POLLIN, deadline, wakeFd);
}

WaitResult WaitWritable(int fd, const MonotonicDeadline& deadline) {
  return WaitFor(fd, POLLOUT, deadline, -1);
}

}  // namespace corvane::platform
