#include "platform/ThreadLatency.h"

#include <linux/sched/types.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace corvane::platform {
namespace {

// Shortest slice the scheduler accepts for an ordinary thread.
constexpr __u64 kSliceNs = 100'000;

}  // namespace

bool RequestShortTimeSlice() {
  sched_attr attributes{};
  if (::syscall(SYS_sched_getattr, 0, &attributes, sizeof attributes, 0) != 0) return false;
  attributes.size = sizeof attributes;
  attributes.sched_flags = 0;
  attributes.sched_runtime = kSliceNs;
  return ::syscall(SYS_sched_setattr, 0, &attributes, 0) == 0;
}

}  // namespace corvane::platform
