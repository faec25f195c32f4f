#pragma once
// A program started by a test, with its standard output and error read
// through pipes. Waits are poll() with deadlines; the destructor ends a
// program that still runs and reaps it.
#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

#include "UniqueFd.h"

class ChildRun {
 public:
  explicit ChildRun(const std::vector<std::string>& argv);
  ~ChildRun();
  ChildRun(const ChildRun&) = delete;
  ChildRun& operator=(const ChildRun&) = delete;

  bool Started() const { return m_pid > 0; }
  // Reads until standard output or error holds text, or the time is up.
  bool WaitForOutput(const std::string& text, std::chrono::milliseconds limit);
  // Reads until both pipes are closed, then reaps: the exit code, 128 + the
  // signal for a program ended by one, or -1 when it did not end in time
  // (it is killed then).
  int Wait(std::chrono::milliseconds limit);
  void Signal(int sig);

  const std::string& Out() const { return m_out; }
  const std::string& Err() const { return m_err; }

 private:
  bool ReadSome(std::chrono::steady_clock::time_point deadline);
  int Reap(bool bKill);

  pid_t m_pid = -1;
  UniqueFd m_outFd;
  UniqueFd m_errFd;
  std::string m_out;
  std::string m_err;
  int m_exit = -1;
};
