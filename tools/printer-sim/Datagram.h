#pragma once
// One UDP datagram with both ends: a request as received (destination = the
// address it was sent to) or an answer to send (source = the printer).
#include <cstdint>
#include <string>

#include "Ipv4Address.h"

namespace printersim {

struct Datagram {
  Ipv4Address source{};
  std::uint16_t sourcePort = 0;
  Ipv4Address destination{};
  std::uint16_t destinationPort = 0;
  std::string payload;
};

}  // namespace printersim
