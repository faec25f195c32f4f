#pragma once
// Helpers of the transport tests: the loopback address, a bound datagram
// socket and a stopwatch.
#include <corvane/CCSock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

namespace transport_test {

inline const std::wstring kLoopback = L"127.0.0.1";

// A datagram socket bound to a free port of 127.0.0.1.
struct DatagramEnd {
  CCSock sock;
  UINT port = 0;
  DatagramEnd() {
    std::wstring address;
    EXPECT_TRUE(sock.Create(0, CCSock::kDatagram, kLoopback));
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
