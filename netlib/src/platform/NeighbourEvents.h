#pragma once
// Subscription to the kernel's neighbour-table notifications (rtnetlink),
// used to learn the moment an ARP resolution completes or fails.
#include <cstdint>

#include "platform/NeighbourTable.h"

namespace corvane::detail {

class NeighbourEvents {
 public:
  enum class Outcome { kPending, kResolved, kFailed, kLost };

  NeighbourEvents();  // not valid() when the subscription is refused
  ~NeighbourEvents();
  NeighbourEvents(const NeighbourEvents&) = delete;
  NeighbourEvents& operator=(const NeighbourEvents&) = delete;

  bool valid() const { return m_fd >= 0; }
  int fd() const { return m_fd; }
  // Reads every queued notification; reports the first about the target
  // (network byte order) that settles it, kLost when some were dropped.
  Outcome Drain(std::uint32_t target, MacAddress& mac);

 private:
  int m_fd = -1;
};

}  // namespace corvane::detail
