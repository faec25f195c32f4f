#pragma once
// Helpers of the transport tests: the loopback address and a stopwatch.
#include <chrono>
#include <string>

namespace transport_test {

inline const std::wstring kLoopback = L"127.0.0.1";

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
