#include "ExchangeMonitor.h"

namespace printersim {

void ExchangeMonitor::Request(std::uint32_t address, Clock::time_point now,
                              Clock::time_point answerDue) {
  std::lock_guard lock(mutex_);
  ++exchanges_;
  auto [it, added] = busyUntil_.emplace(address, answerDue);
  if (!added) {
    if (now < it->second) ++overlaps_;
    it->second = std::max(it->second, answerDue);
  }
}

std::uint64_t ExchangeMonitor::exchanges() const {
  std::lock_guard lock(mutex_);
  return exchanges_;
}

std::uint64_t ExchangeMonitor::overlaps() const {
  std::lock_guard lock(mutex_);
  return overlaps_;
}

}  // namespace printersim
