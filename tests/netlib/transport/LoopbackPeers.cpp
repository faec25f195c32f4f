#include "LoopbackPeers.h"

#include <arpa/inet.h>
#include <corvane/CCSock.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace transport_test {

UINT FreeUdpPort() {
  CCSock probe;
  std::wstring address;
  UINT port = 0;
  if (!probe.Create(0, CCSock::kDatagram, kLoopback) || !probe.GetSockName(address, port)) {
    return 0;
  }
  return port;
}

Listener::Listener(int backlog) {
  m_fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t length = sizeof address;
  if (m_fd < 0 || ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(m_fd, backlog) != 0 ||
      ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    return;
  }
  m_port = ntohs(address.sin_port);
}

Listener::~Listener() { CloseFd(m_fd); }

int Listener::Accept() const { return ::accept4(m_fd, nullptr, nullptr, SOCK_CLOEXEC); }

void Listener::CloseFd(int fd) {
  if (fd >= 0) ::close(fd);
}

void Listener::SendAll(int fd, const std::string& bytes) {
  std::size_t sent = 0;
  while (sent < bytes.size()) {
    const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;
    sent += static_cast<std::size_t>(n);
  }
}

}  // namespace transport_test
