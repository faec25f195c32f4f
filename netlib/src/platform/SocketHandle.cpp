#include "platform/SocketHandle.h"

#include <unistd.h>

namespace corvane::platform {

SocketHandle& SocketHandle::operator=(SocketHandle&& other) noexcept {
  if (this != &other) {
    Reset();
    m_fd = other.Release();
  }
  return *this;
}

int SocketHandle::Release() noexcept {
  const int fd = m_fd;
  m_fd = -1;
  return fd;
}

void SocketHandle::Reset(int fd) noexcept {
  // The descriptor is gone after close() even when it reports EINTR on
  // Linux, so it is never closed twice.
  if (m_fd >= 0) ::close(m_fd);
  m_fd = fd;
}

}  // namespace corvane::platform
