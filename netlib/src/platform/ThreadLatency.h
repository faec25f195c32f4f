#pragma once
// Scheduling hint for threads that must react within a fraction of a
// millisecond (a reader draining a socket during a burst).

namespace corvane::platform {

// Asks the scheduler for a short time slice for the calling thread, so that
// it runs soon after it wakes even while every core is busy. Policy and
// nice value stay as they are; no privilege is needed. Kernels without
// custom slices for ordinary threads ignore the request. False if refused.
bool RequestShortTimeSlice();

}  // namespace corvane::platform
