#include "AnswerQueue.h"

#include <algorithm>

namespace printersim {

void AnswerQueue::Push(Clock::time_point due, Datagram answer) {
  // One fixed delay on a monotonic clock: a new answer is never due before
  // the last one queued, so the back is its place.
  pending_.push_back(Pending{std::max(due, pending_.empty() ? due : pending_.back().due),
                             std::move(answer)});
}

std::optional<AnswerQueue::Clock::time_point> AnswerQueue::NextDue() const {
  if (pending_.empty()) return std::nullopt;
  return pending_.front().due;
}

void AnswerQueue::TakeDue(Clock::time_point now, std::vector<Datagram>& out) {
  while (!pending_.empty() && pending_.front().due <= now) {
    out.push_back(std::move(pending_.front().answer));
    pending_.pop_front();
  }
}

}  // namespace printersim
