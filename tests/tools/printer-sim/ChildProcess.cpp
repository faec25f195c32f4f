#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

extern char** environ;

using Clock = std::chrono::steady_clock;

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  printersim::FileDescriptor readEnd(fds[0]), writeEnd(fds[1]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDERR_FILENO);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  out_ = std::move(readEnd);
}

ChildProcess::~ChildProcess() {
  if (pid_ > 0) Terminate();
}

int ChildProcess::Run(const std::vector<std::string>& argv) {
  ChildProcess child(argv);
  return child.WaitForExit(std::chrono::seconds(10));
}

bool ChildProcess::ReadSome(Clock::time_point deadline) {
  if (eof_ || !out_.valid()) return false;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  pollfd p{out_.get(), POLLIN, 0};
  const int ready = poll(&p, 1, static_cast<int>(std::max<long>(0, left.count())));
  if (ready <= 0) return ready < 0 && errno == EINTR;
  char buffer[4096];
  const ssize_t n = read(out_.get(), buffer, sizeof buffer);
  if (n <= 0) {
    eof_ = n == 0 || errno != EINTR;
    return !eof_;
  }
  output_.append(buffer, static_cast<std::size_t>(n));
  return true;
}

bool ChildProcess::WaitForOutput(const std::string& text, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (output_.find(text) == std::string::npos) {
    if (!ReadSome(deadline)) return output_.find(text) != std::string::npos;
  }
  return true;
}

int ChildProcess::WaitForExit(std::chrono::milliseconds limit) {
  if (pid_ <= 0) return -1;
  const auto deadline = Clock::now() + limit;
  while (ReadSome(deadline)) {
  }
  if (!eof_) kill(pid_, SIGKILL);
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  pid_ = -1;
  if (!eof_ || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

int ChildProcess::Terminate(std::chrono::milliseconds limit) {
  if (pid_ <= 0) return -1;
  kill(pid_, SIGTERM);
  return WaitForExit(limit);
}
