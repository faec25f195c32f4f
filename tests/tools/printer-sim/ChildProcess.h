#pragma once
// A program started by a test, its standard output and error read through
// one pipe. Waits are poll() on the pipe with a deadline; the destructor
// ends a program that still runs.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "FileDescriptor.h"

class ChildProcess {
 public:
  explicit ChildProcess(const std::vector<std::string>& argv);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Runs a command to its end; its exit code, or -1.
  static int Run(const std::vector<std::string>& argv);

  // Reads output until it holds `text` or the time is up.
  bool WaitForOutput(const std::string& text, std::chrono::milliseconds limit);
  // Reads output until the program closes it (it ended), then reaps it:
  // its exit code, or -1 if it did not end in time (it is killed then) or
  // was ended by a signal.
  int WaitForExit(std::chrono::milliseconds limit);
  // SIGTERM, then WaitForExit.
  int Terminate(std::chrono::milliseconds limit = std::chrono::seconds(3));

  const std::string& output() const { return output_; }

 private:
  bool ReadSome(std::chrono::steady_clock::time_point deadline);

  pid_t pid_ = -1;
  printersim::FileDescriptor out_;
  std::string output_;
  bool eof_ = false;
};
