#pragma once
// Requests sent by unicast without overrunning the receiving socket: at most
// a window of them waits for its answer at any time; a request leaves the
// window when its answer comes or its time-out passes, and only then may the
// next one go. A printer answers each request once, so no more answers than
// the window can ever be on their way at once, and the window is sized so
// that they fit the kernel's default socket buffer.
#include <corvane/CorvaneTypes.h>

#include <chrono>
#include <cstddef>
#include <deque>
#include <optional>
#include <vector>

class CPacedExchange {
 public:
  using Clock = std::chrono::steady_clock;

  // 128 answers of some 1.3 KiB each as the kernel accounts them (a short
  // datagram's buffer and bookkeeping) stay below the 212992 bytes a
  // desktop's socket gets by default.
  static constexpr std::size_t kDefaultWindow = 128;

  struct Request {
    DWORD dwAddress = 0;  // first octet most significant
    unsigned uKind = 0;   // what is asked; the answer names the same kind
    bool operator==(const Request&) const = default;
  };

  CPacedExchange(std::size_t window, std::chrono::milliseconds timeout);

  // Queues a request behind those already queued.
  void Add(const Request& request);
  // The queued requests that may go now, oldest first; from now on they wait
  // for their answer until now + time-out.
  std::vector<Request> TakeSendable(Clock::time_point now);
  // An answer of this kind from this address: true when it was awaited (the
  // request leaves the window).
  bool Answer(DWORD dwAddress, unsigned uKind);
  // Gives up on the requests whose time-out has passed; how many.
  std::size_t Expire(Clock::time_point now);

  // When the earliest waiting request times out; none when nothing waits.
  std::optional<Clock::time_point> NextDeadline() const;
  bool Done() const { return m_Queued.empty() && m_Waiting.empty(); }
  std::size_t Waiting() const { return m_Waiting.size(); }
  std::size_t Queued() const { return m_Queued.size(); }

 private:
  struct Pending {
    Request request;
    Clock::time_point deadline;
  };

  std::size_t m_Window;
  std::chrono::milliseconds m_Timeout;
  std::deque<Request> m_Queued;
  std::vector<Pending> m_Waiting;  // in order of sending, so of deadline
};
