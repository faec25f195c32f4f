#pragma once
// Helpers of the transport tests: the loopback address, a bound datagram
// socket, a stream peer and a stopwatch.
#include <arpa/inet.h>
#include <corvane/CCSock.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <string>

namespace transport_test {

inline const std::wstring kLoopback = L"127.0.0.1";

// A datagram socket bound to a free port of 127.0.0.1 (or of another
// loopback address: all of 127.0.0.0/8 is this machine's).
struct DatagramEnd {
  CCSock sock;
  UINT port = 0;
  explicit DatagramEnd(const std::wstring& bindAddress = kLoopback) {
    std::wstring address;
    EXPECT_TRUE(sock.Create(0, CCSock::kDatagram, bindAddress));
    EXPECT_TRUE(sock.GetSockName(address, port));
  }
};

// A listening socket on a free port of 127.0.0.1 (with the given backlog) and
// the one connection it accepts, read and written with plain blocking calls.
class LoopbackPeer {
 public:
  explicit LoopbackPeer(int backlog = 4) {
    m_listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    EXPECT_EQ(bind(m_listener, reinterpret_cast<sockaddr*>(&address), length), 0);
    EXPECT_EQ(listen(m_listener, backlog), 0);
    getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
  }
  ~LoopbackPeer() {
    CloseConnection();
    close(m_listener);
  }
  void Accept() { m_connection = accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC); }
  std::string Read(std::size_t count) {
    std::string bytes(count, '\0');
    std::size_t got = 0;
    while (got < count) {
      const ssize_t n = recv(m_connection, bytes.data() + got, count - got, 0);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    bytes.resize(got);
    return bytes;
  }
  void Write(const std::string& bytes) { send(m_connection, bytes.data(), bytes.size(), 0); }
  void CloseConnection() {
    if (m_connection >= 0) close(m_connection);
    m_connection = -1;
  }
  DWORD port = 0;

 private:
  int m_listener = -1;
  int m_connection = -1;
};

class Stopwatch {
 public:
  long long ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 m_start)
        .count();
  }

 private:
  std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

}  // namespace transport_test
