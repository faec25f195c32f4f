#pragma once
// Owns one descriptor of the socket layer (a socket or a wake-up event):
// closes it when the owner goes, never copies it, hands it on by moving.

namespace corvane::platform {

class SocketHandle {
 public:
  SocketHandle() noexcept = default;
  explicit SocketHandle(int fd) noexcept : m_fd(fd) {}
  ~SocketHandle() { Reset(); }

  SocketHandle(SocketHandle&& other) noexcept : m_fd(other.Release()) {}
  SocketHandle& operator=(SocketHandle&& other) noexcept;
  SocketHandle(const SocketHandle&) = delete;
  SocketHandle& operator=(const SocketHandle&) = delete;

  int Get() const noexcept { return m_fd; }
  bool IsValid() const noexcept { return m_fd >= 0; }
  // Gives up ownership without closing.
  int Release() noexcept;
  // Closes the descriptor (if any) and takes fd instead (none by default).
  void Reset(int fd = -1) noexcept;

 private:
  int m_fd = -1;
};

}  // namespace corvane::platform
