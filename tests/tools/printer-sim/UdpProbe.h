#pragma once
// The test's side of the LAN: sends requests to printers and collects the
// answers that come back on the answer port.
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

#include "FileDescriptor.h"

class UdpProbe {
 public:
  struct Reply {
    std::string from;  // dotted sender address
    std::uint16_t fromPort = 0;
    std::string payload;
  };

  explicit UdpProbe(std::uint16_t answerPort);
  bool Send(const std::string& address, std::uint16_t port, const std::string& text);
  // Collects answers until `limit` has passed, or until `expected` (> 0)
  // have come and `quiet` went by without another.
  std::vector<Reply> Collect(std::size_t expected, std::chrono::milliseconds limit,
                             std::chrono::milliseconds quiet = std::chrono::milliseconds(150));

 private:
  printersim::FileDescriptor socket_;
};
