#pragma once
// A program started by a test; its standard output and error are read
// through one pipe, with poll() and a deadline. The destructor ends it.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "FileDescriptor.h"

class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& argv);
  ~ChildProcess() { Terminate(); }
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Reads output until it holds `text` or the time is up.
  bool WaitForOutput(const std::string& text, std::chrono::milliseconds limit);
  // Reads output until the program ends, then reaps it: its exit code, or -1
  // when it was ended by a signal or had to be killed after `limit`.
  int WaitForExit(std::chrono::milliseconds limit = std::chrono::seconds(5));
  // SIGTERM, then WaitForExit.
  int Terminate();

  const std::string& output() const { return output_; }

 private:
  bool ReadSome(std::chrono::steady_clock::time_point deadline);

  pid_t pid_ = -1;
  printersim::FileDescriptor out_;
  std::string output_;
  bool eof_ = false;
};
