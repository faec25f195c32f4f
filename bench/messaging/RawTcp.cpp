// The raw TCP baselines: blocking sockets, TCP_NODELAY, no framing work.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "Bench.h"

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;

class Fd {
 public:
  explicit Fd(int fd = -1) : m_fd(fd) {}
  Fd(Fd&& o) noexcept : m_fd(o.m_fd) { o.m_fd = -1; }
  Fd(const Fd&) = delete;
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int get() const { return m_fd; }

 private:
  int m_fd;
};

void NoDelay(int fd) {
  int one = 1;
  ::setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
}

// A listening socket on 127.0.0.1 and a free port.
Fd Listen(int& port) {
  Fd fd(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::bind(fd.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  ::listen(fd.get(), 1);
  socklen_t len = sizeof addr;
  ::getsockname(fd.get(), reinterpret_cast<sockaddr*>(&addr), &len);
  port = ntohs(addr.sin_port);
  return fd;
}

Fd Connect(int port) {
  Fd fd(::socket(AF_INET, SOCK_STREAM, 0));
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_port = htons(static_cast<unsigned short>(port));
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ::connect(fd.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  NoDelay(fd.get());
  return fd;
}

bool ReadExactly(int fd, unsigned char* p, std::size_t n) {
  while (n > 0) {
    ssize_t got = ::recv(fd, p, n, 0);
    if (got <= 0) return false;
    p += got;
    n -= static_cast<std::size_t>(got);
  }
  return true;
}

// Waits for fd to become readable through epoll, as an event loop does.
class ReadableWait {
 public:
  explicit ReadableWait(int fd) : m_epoll(::epoll_create1(0)) {
    epoll_event ev{};
    ev.events = EPOLLIN;
    ::epoll_ctl(m_epoll.get(), EPOLL_CTL_ADD, fd, &ev);
  }
  void Wait() {
    epoll_event ev{};
    ::epoll_wait(m_epoll.get(), &ev, 1, 5000);
  }

 private:
  Fd m_epoll;
};

}  // namespace

double RawEventPingPongMicros(int count) {
  int port = 0;
  Fd listener = Listen(port);
  std::thread echo([&] {
    Fd peer(::accept(listener.get(), nullptr, nullptr));
    NoDelay(peer.get());
    ReadableWait wait(peer.get());
    unsigned char buf[17];
    for (;;) {
      wait.Wait();
      if (!ReadExactly(peer.get(), buf, sizeof buf)) break;
      ::send(peer.get(), buf, sizeof buf, MSG_NOSIGNAL);
    }
  });
  std::vector<unsigned char> ping = OneLongMessage();
  double micros = 0;
  {
    Fd fd = Connect(port);
    ReadableWait wait(fd.get());
    unsigned char back[17];
    auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
      ::send(fd.get(), ping.data(), ping.size(), MSG_NOSIGNAL);
      wait.Wait();
      ReadExactly(fd.get(), back, sizeof back);
    }
    micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
  }
  echo.join();
  return micros;
}

double RawPingPongMicros(int count) {
  int port = 0;
  Fd listener = Listen(port);
  std::thread echo([&] {
    Fd peer(::accept(listener.get(), nullptr, nullptr));
    NoDelay(peer.get());
    unsigned char buf[17];
    while (ReadExactly(peer.get(), buf, sizeof buf)) ::send(peer.get(), buf, sizeof buf, MSG_NOSIGNAL);
  });
  std::vector<unsigned char> ping = OneLongMessage();
  double micros = 0;
  {
    Fd fd = Connect(port);
    unsigned char back[17];
    auto start = Clock::now();
    for (int i = 0; i < count; ++i) {
      ::send(fd.get(), ping.data(), ping.size(), MSG_NOSIGNAL);
      ReadExactly(fd.get(), back, sizeof back);
    }
    micros = std::chrono::duration<double, std::micro>(Clock::now() - start).count() / count;
  }
  echo.join();
  return micros;
}

double RawStreamRate(int count) {
  int port = 0;
  Fd listener = Listen(port);
  Clock::time_point done;
  std::thread reader([&] {
    Fd peer(::accept(listener.get(), nullptr, nullptr));
    std::vector<unsigned char> buf(65536);
    std::size_t want = 17u * static_cast<std::size_t>(count), got = 0;
    while (got < want) {
      ssize_t n = ::recv(peer.get(), buf.data(), buf.size(), 0);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    done = Clock::now();
  });
  std::vector<unsigned char> msg = OneLongMessage();
  Fd fd = Connect(port);
  auto start = Clock::now();
  for (int i = 0; i < count; ++i) ::send(fd.get(), msg.data(), msg.size(), MSG_NOSIGNAL);
  reader.join();
  return count / std::chrono::duration<double>(done - start).count();
}

std::vector<unsigned char> OneLongMessage() {
  return {1, 0, 0, 0, 1, 0, 0, 0, 7, 0x2A, 0, 0, 0, 0, 0, 0, 0};
}

}  // namespace bench
