#pragma once
// Marks a socket as inside a blocking call for the guard's lifetime, unless
// another call (of any thread) holds the mark already; that second call is
// then refused with "blocking call in progress" instead of waiting too.
#include <atomic>

namespace corvane::detail {

class BlockingCall {
 public:
  explicit BlockingCall(std::atomic<bool>& flag) : m_flag(flag), m_entered(!flag.exchange(true)) {}
  ~BlockingCall() {
    if (m_entered) m_flag.store(false);
  }
  BlockingCall(const BlockingCall&) = delete;
  BlockingCall& operator=(const BlockingCall&) = delete;
  bool Entered() const { return m_entered; }

 private:
  std::atomic<bool>& m_flag;
  const bool m_entered;
};

}  // namespace corvane::detail
