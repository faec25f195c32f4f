#pragma once
// Helpers of the transport tests: the loopback address, a bound datagram
// socket and a stopwatch.
#include <corvane/CCSock.h>
#include <gtest/gtest.h>

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
