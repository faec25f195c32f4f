#pragma once
// The test's side of a UDP exchange: sends datagrams and collects the
// answers that come back on its port.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "UniqueFd.h"

class UdpProbe {
 public:
  struct Reply {
    std::string from;  // dotted sender address
    std::uint16_t fromPort = 0;
    std::string payload;
  };

  // Bound to `answerPort` on every address; 0 takes any free port.
  explicit UdpProbe(std::uint16_t answerPort);
  bool Bound() const { return socket_.Valid(); }
  bool Send(const std::string& address, std::uint16_t port, const std::string& text);
  // Collects answers until `limit` has passed, or until `expected` (> 0)
  // have come and `quiet` went by without another.
  std::vector<Reply> Collect(std::size_t expected, std::chrono::milliseconds limit,
                             std::chrono::milliseconds quiet = std::chrono::milliseconds(150));

 private:
  UniqueFd socket_;
};
