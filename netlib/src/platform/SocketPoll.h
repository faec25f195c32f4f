#pragma once
// Readiness waits of the socket layer: poll() bounded by a monotonic
// deadline, optionally ended early by a wake-up event.
#include "platform/MonotonicDeadline.h"

namespace corvane::platform {

enum class WaitResult { kReady, kTimedOut, kWoken, kFailed };

// Waits until fd is readable (or has an error pending), the deadline passes
// or wakeFd (if >= 0) becomes readable. kFailed sets the last error.
WaitResult WaitReadable(int fd, const MonotonicDeadline& deadline, int wakeFd = -1);
// Waits until fd is writable (a pending connect has completed) or the deadline passes.
WaitResult WaitWritable(int fd, const MonotonicDeadline& deadline);

}  // namespace corvane::platform
