#include "ChildProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

extern char** environ;

using Clock = std::chrono::steady_clock;

ChildProcess::ChildProcess(const std::vector<std::string>& argv) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return;
  out_ = printersim::FileDescriptor(fds[0]);
  const printersim::FileDescriptor writeEnd(fds[1]);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDOUT_FILENO);
  posix_spawn_file_actions_adddup2(&actions, writeEnd.get(), STDERR_FILENO);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  if (posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
}

bool ChildProcess::ReadSome(Clock::time_point deadline) {
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
  pollfd p{out_.get(), POLLIN, 0};
  if (eof_ || left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return false;
  char buffer[4096];
  const ssize_t n = read(out_.get(), buffer, sizeof buffer);
  eof_ = n <= 0;
  if (n > 0) output_.append(buffer, static_cast<std::size_t>(n));
  return !eof_;
}

bool ChildProcess::WaitForOutput(const std::string& text, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (output_.find(text) == std::string::npos && ReadSome(deadline)) {
  }
  return output_.find(text) != std::string::npos;
}

int ChildProcess::WaitForExit(std::chrono::milliseconds limit) {
  if (pid_ <= 0) return -1;
  const auto deadline = Clock::now() + limit;
  while (ReadSome(deadline)) {
  }
  if (!eof_) kill(pid_, SIGKILL);
  int status = 0;
  waitpid(std::exchange(pid_, -1), &status, 0);
  return eof_ && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

int ChildProcess::Terminate() {
  if (pid_ > 0) kill(pid_, SIGTERM);
  return WaitForExit();
}
