#include "AnswerQueue.h"

#include <algorithm>

namespace printersim {

void AnswerQueue::Push(Clock::time_point due, Datagram answer) {
  // With one fixed delay every new answer goes to the back; the search only
  // matters if the clock readings ever come out of order.
  auto at = pending_.end();
  if (!pending_.empty() && pending_.back().due > due) {
    at = std::upper_bound(pending_.begin(), pending_.end(), due,
                          [](Clock::time_point t, const Pending& p) { return t < p.due; });
  }
  pending_.insert(at, Pending{due, std::move(answer)});
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
