#pragma once
// Helpers of the transport tests: free loopback ports, a stopwatch and a
// listening TCP socket, all on 127.0.0.1.
#include <corvane/CorvaneTypes.h>

#include <chrono>
#include <string>

namespace transport_test {

inline const std::wstring kLoopback = L"127.0.0.1";

// A UDP port nobody on this machine is bound to right now.
UINT FreeUdpPort();

class Stopwatch {
 public:
  Stopwatch() : m_start(std::chrono::steady_clock::now()) {}
  long long ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 m_start)
        .count();
  }

 private:
  std::chrono::steady_clock::time_point m_start;
};

// A TCP socket listening on 127.0.0.1 with the given backlog.
class Listener {
 public:
  explicit Listener(int backlog);
  ~Listener();
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  UINT Port() const { return m_port; }
  // Accepts one pending connection; its descriptor (closed by the caller via CloseFd).
  int Accept() const;
  static void CloseFd(int fd);
  static void SendAll(int fd, const std::string& bytes);

 private:
  int m_fd = -1;
  UINT m_port = 0;
};

}  // namespace transport_test
