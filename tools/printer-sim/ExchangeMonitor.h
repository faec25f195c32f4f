#pragma once
// Counts the status exchanges each printer serves and how many of them
// overlapped: a request that reaches a printer while its answer to an
// earlier request is still due. Exchanges that are serialised by their
// callers never overlap; the count proves it. Safe from several threads.
#include <chrono>
#include <cstdint>
#include <mutex>
#include <unordered_map>

namespace printersim {

class ExchangeMonitor {
 public:
  using Clock = std::chrono::steady_clock;

  // A request for the printer at `address` arrived at `now`; its answer is
  // due at `answerDue`.
  void Request(std::uint32_t address, Clock::time_point now, Clock::time_point answerDue);

  std::uint64_t exchanges() const;
  std::uint64_t overlaps() const;

 private:
  mutable std::mutex mutex_;
  std::unordered_map<std::uint32_t, Clock::time_point> busyUntil_;
  std::uint64_t exchanges_ = 0;
  std::uint64_t overlaps_ = 0;
};

}  // namespace printersim
