#pragma once
// Command line of udp-flood:
//   udp-flood --to A.B.C.D [--port P] [--rate N] [--seconds S] [--max-size B] [--seed N]
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct FloodOptions {
  std::string to;                // destination address (dotted IPv4)
  std::uint16_t port = 15001;    // destination port
  unsigned rate = 100000;        // datagrams per second, 1 .. 1000000
  unsigned seconds = 5;          // how long, 1 .. 600
  unsigned maxSize = 1200;       // datagram sizes 1 .. maxSize bytes (at most 65507)
  std::uint64_t seed = 1;        // of the random sizes and bytes
  bool help = false;

  static std::optional<FloodOptions> Parse(const std::vector<std::string_view>& args,
                                           std::string& error);
  static const char* Help();
};
