#include "ChildRun.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {
int Remaining(std::chrono::steady_clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
      deadline - std::chrono::steady_clock::now());
  return left.count() > 0 ? static_cast<int>(left.count()) : 0;
}
}  // namespace

ChildRun::ChildRun(const std::vector<std::string>& argv) {
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0) return;
  m_outFd = UniqueFd(out[0]);
  const UniqueFd outWrite(out[1]);
  if (pipe2(err, O_CLOEXEC) != 0) return;
  m_errFd = UniqueFd(err[0]);
  const UniqueFd errWrite(err[1]);
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  m_pid = fork();
  if (m_pid == 0) {
    dup2(outWrite.Get(), 1);
    dup2(errWrite.Get(), 2);
    execvp(args[0], args.data());
    _exit(127);
  }
}

ChildRun::~ChildRun() {
  if (m_pid > 0) {
    kill(m_pid, SIGTERM);
    Wait(std::chrono::seconds(5));
  }
}

void ChildRun::Signal(int sig) {
  if (m_pid > 0) kill(m_pid, sig);
}

bool ChildRun::ReadSome(std::chrono::steady_clock::time_point deadline) {
  pollfd fds[2] = {{m_outFd.Get(), POLLIN, 0}, {m_errFd.Get(), POLLIN, 0}};
  if (!m_outFd.Valid() && !m_errFd.Valid()) return false;
  if (poll(fds, 2, Remaining(deadline)) <= 0) return false;
  UniqueFd* fdOf[2] = {&m_outFd, &m_errFd};
  std::string* textOf[2] = {&m_out, &m_err};
  for (int i = 0; i < 2; ++i) {
    if (fds[i].revents == 0) continue;
    char buf[4096];
    const ssize_t n = read(fdOf[i]->Get(), buf, sizeof buf);
    if (n > 0) {
      textOf[i]->append(buf, static_cast<size_t>(n));
    } else {
      fdOf[i]->Reset();
    }
  }
  return true;
}

bool ChildRun::WaitForOutput(const std::string& text, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (m_out.find(text) == std::string::npos && m_err.find(text) == std::string::npos) {
    if (!ReadSome(deadline)) return false;
  }
  return true;
}

int ChildRun::Wait(std::chrono::milliseconds limit) {
  if (m_pid <= 0) return m_exit;
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (m_outFd.Valid() || m_errFd.Valid()) {
    if (!ReadSome(deadline)) return Reap(true);
  }
  return Reap(false);
}

int ChildRun::Reap(bool bKill) {
  if (bKill) kill(m_pid, SIGKILL);
  int status = 0;
  if (waitpid(m_pid, &status, 0) == m_pid) {
    if (WIFEXITED(status)) m_exit = WEXITSTATUS(status);
    else if (WIFSIGNALED(status)) m_exit = 128 + WTERMSIG(status);
  }
  m_pid = -1;
  return bKill ? -1 : m_exit;
}
