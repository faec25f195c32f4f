#include "platform/TcpStreamSocket.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <string>

namespace corvane::platform {
namespace {

using Clock = std::chrono::steady_clock;

void SetNoDelay(int fd) {
  int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// Waits for the events on fd until the deadline; false on time-out.
bool WaitFor(int fd, short events, Clock::time_point deadline, int& iError) {
  for (;;) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() < 0) {
      iError = ETIMEDOUT;
      return false;
    }
    pollfd p{fd, events, 0};
    int n = ::poll(&p, 1, static_cast<int>(left.count()) + 1);
    if (n > 0) return true;
    if (n < 0 && errno != EINTR) {
      iError = errno;
      return false;
    }
  }
}

SocketHandle ConnectOne(const addrinfo& ai, Clock::time_point deadline, int& iError) {
  SocketHandle fd(::socket(ai.ai_family, ai.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, ai.ai_protocol));
  if (!fd.IsValid()) {
    iError = errno;
    return {};
  }
  if (::connect(fd.Get(), ai.ai_addr, ai.ai_addrlen) != 0) {
    if (errno != EINPROGRESS) {
      iError = errno;
      return {};
    }
    if (!WaitFor(fd.Get(), POLLOUT, deadline, iError)) return {};
    int soError = 0;
    socklen_t len = sizeof soError;
    ::getsockopt(fd.Get(), SOL_SOCKET, SO_ERROR, &soError, &len);
    if (soError != 0) {
      iError = soError;
      return {};
    }
  }
  SetNoDelay(fd.Get());
  return fd;
}

}  // namespace

TcpStreamSocket::~TcpStreamSocket() = default;

std::unique_ptr<TcpStreamSocket> TcpStreamSocket::Connect(const std::wstring& host, int iPort,
                                                          int iTimeoutMs, int& iError) {
  iError = 0;
  std::string name;
  for (wchar_t c : host) name.push_back(static_cast<char>(c & 0xFF));  // host names are ASCII
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* list = nullptr;
  std::string service = std::to_string(iPort);
  if (iPort < 0 || iPort > 65535 || ::getaddrinfo(name.c_str(), service.c_str(), &hints, &list) != 0) {
    iError = EINVAL;
    return nullptr;
  }
  std::unique_ptr<addrinfo, decltype(&::freeaddrinfo)> owner(list, &::freeaddrinfo);
  const auto deadline = Clock::now() + std::chrono::milliseconds(iTimeoutMs);
  for (const addrinfo* ai = list; ai != nullptr; ai = ai->ai_next) {
    SocketHandle fd = ConnectOne(*ai, deadline, iError);
    if (fd.IsValid()) return std::unique_ptr<TcpStreamSocket>(new TcpStreamSocket(std::move(fd)));
  }
  return nullptr;
}

std::unique_ptr<TcpStreamSocket> TcpStreamSocket::Listen(int iPort, int iBacklog, int& iError) {
  iError = 0;
  if (iPort < 0 || iPort > 65535) {
    iError = EINVAL;
    return nullptr;
  }
  SocketHandle fd(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
  int one = 1;
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<std::uint16_t>(iPort));
  addr.sin_addr.s_addr = htonl(INADDR_ANY);
  if (!fd.IsValid() || ::setsockopt(fd.Get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one) != 0 ||
      ::bind(fd.Get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(fd.Get(), iBacklog) != 0) {
    iError = errno;
    return nullptr;
  }
  return std::unique_ptr<TcpStreamSocket>(new TcpStreamSocket(std::move(fd)));
}

std::unique_ptr<TcpStreamSocket> TcpStreamSocket::Accept(int& iError) {
  iError = 0;
  SocketHandle fd(::accept4(m_fd.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
  if (!fd.IsValid()) {
    iError = errno;
    return nullptr;
  }
  SetNoDelay(fd.Get());
  return std::unique_ptr<TcpStreamSocket>(new TcpStreamSocket(std::move(fd)));
}

TcpStreamSocket::ReadStatus TcpStreamSocket::Read(BYTE* pData, std::size_t uiCapacity,
                                                  std::size_t& uiRead, int& iError) {
  uiRead = 0;
  for (;;) {
    ssize_t n = ::recv(m_fd.Get(), pData, uiCapacity, MSG_DONTWAIT);
    if (n > 0) {
      uiRead = static_cast<std::size_t>(n);
      return ReadStatus::kData;
    }
    if (n == 0) return ReadStatus::kEnd;
    if (errno == EINTR) continue;
    if (errno == EAGAIN || errno == EWOULDBLOCK) return ReadStatus::kWouldBlock;
    iError = errno;
    return ReadStatus::kError;
  }
}

bool TcpStreamSocket::WriteAll(const BYTE* pData, std::size_t uiLength, int iTimeoutMs, int& iError) {
  iError = 0;
  Clock::time_point deadline{};  // set when the first wait for room begins
  while (uiLength > 0) {
    ssize_t n = ::send(m_fd.Get(), pData, uiLength, MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      pData += n;
      uiLength -= static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (deadline == Clock::time_point{}) deadline = Clock::now() + std::chrono::milliseconds(iTimeoutMs);
      if (!WaitFor(m_fd.Get(), POLLOUT, deadline, iError)) return false;
    } else {
      iError = n < 0 ? errno : EPIPE;
      return false;
    }
  }
  return true;
}

bool TcpStreamSocket::WriteSome(const BYTE* pData, std::size_t uiLength, std::size_t& uiWritten,
                                int& iError) {
  iError = 0;
  uiWritten = 0;
  while (uiWritten < uiLength) {
    const ssize_t n = ::send(m_fd.Get(), pData + uiWritten, uiLength - uiWritten,
                             MSG_NOSIGNAL | MSG_DONTWAIT);
    if (n > 0) {
      uiWritten += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return true;
    } else {
      iError = n < 0 ? errno : EPIPE;
      return false;
    }
  }
  return true;
}

void TcpStreamSocket::ShutdownSend() { ::shutdown(m_fd.Get(), SHUT_WR); }

bool TcpStreamSocket::LocalAddress(std::wstring& address, int& iPort) const {
  sockaddr_in addr{};
  socklen_t len = sizeof addr;
  if (::getsockname(m_fd.Get(), reinterpret_cast<sockaddr*>(&addr), &len) != 0 ||
      addr.sin_family != AF_INET) {
    return false;
  }
  char text[INET_ADDRSTRLEN] = {};
  ::inet_ntop(AF_INET, &addr.sin_addr, text, sizeof text);
  address.assign(text, text + std::char_traits<char>::length(text));
  iPort = ntohs(addr.sin_port);
  return true;
}

}  // namespace corvane::platform
