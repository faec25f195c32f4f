#pragma once
// Owner of one file descriptor of the message framework's sockets and loop.
#include <utility>

namespace corvane::platform {

class TcpStreamFd {
 public:
  TcpStreamFd() = default;
  explicit TcpStreamFd(int fd) : m_fd(fd) {}
  TcpStreamFd(TcpStreamFd&& other) noexcept : m_fd(std::exchange(other.m_fd, -1)) {}
  TcpStreamFd& operator=(TcpStreamFd&& other) noexcept {
    if (this != &other) Reset(std::exchange(other.m_fd, -1));
    return *this;
  }
  TcpStreamFd(const TcpStreamFd&) = delete;
  TcpStreamFd& operator=(const TcpStreamFd&) = delete;
  ~TcpStreamFd() { Reset(); }

  int Get() const { return m_fd; }
  bool IsValid() const { return m_fd >= 0; }
  void Reset(int fd = -1);

 private:
  int m_fd = -1;
};

}  // namespace corvane::platform
