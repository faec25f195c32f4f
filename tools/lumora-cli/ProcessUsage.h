#pragma once
// What this process holds right now, for the per-run lines of a repeated
// discovery: open file descriptors and resident memory.
#include <cstddef>

class ProcessUsage {
 public:
  // Entries of /proc/self/fd (the listing's own descriptor not counted);
  // 0 when it cannot be read.
  static std::size_t OpenDescriptors();
  // Resident set size in KiB from /proc/self/statm; 0 when unknown.
  static std::size_t ResidentKiB();
};
