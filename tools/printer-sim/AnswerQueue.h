#pragma once
// Answers waiting for their send time. The simulator's loop asks when the
// next one is due (its poll time-out) and takes those that are due, so a
// delay never blocks the receiving of further requests. Answers leave in the
// order they were queued.
#include <chrono>
#include <deque>
#include <optional>
#include <vector>

#include "Datagram.h"

namespace printersim {

class AnswerQueue {
 public:
  using Clock = std::chrono::steady_clock;

  void Push(Clock::time_point due, Datagram answer);
  std::optional<Clock::time_point> NextDue() const;
  // Moves every answer due at or before `now` to `out`, in send order.
  void TakeDue(Clock::time_point now, std::vector<Datagram>& out);

  bool empty() const { return pending_.empty(); }
  std::size_t size() const { return pending_.size(); }

 private:
  struct Pending {
    Clock::time_point due;
    Datagram answer;
  };
  std::deque<Pending> pending_;
};

}  // namespace printersim
