#pragma once
// SIGTERM and SIGINT as a readable descriptor (signalfd), so that the
// simulator's poll loop notices them and ends cleanly.
#include <string>

#include "FileDescriptor.h"

namespace printersim {

class StopSignal {
 public:
  // Blocks both signals for the process and opens the descriptor; an
  // invalid descriptor afterwards means failure, described in `error`.
  explicit StopSignal(std::string& error);

  int fd() const { return fd_.get(); }
  bool valid() const { return fd_.valid(); }

 private:
  FileDescriptor fd_;
};

}  // namespace printersim
