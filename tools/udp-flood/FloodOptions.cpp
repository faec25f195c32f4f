#include "FloodOptions.h"

#include "Ipv4Address.h"
#include "ParseNumber.h"

namespace {

using printersim::ParseNumber;

bool Apply(FloodOptions& o, std::string_view name, std::string_view value) {
  if (name == "--to") {
    o.to = std::string(value);
    return printersim::Ipv4Address::Parse(value).has_value();
  }
  if (name == "--port") return ParseNumber<std::uint16_t>(value, 1, 65535, o.port);
  if (name == "--rate") return ParseNumber(value, 1u, 1000000u, o.rate);
  if (name == "--seconds") return ParseNumber(value, 1u, 600u, o.seconds);
  if (name == "--max-size") return ParseNumber(value, 1u, 65507u, o.maxSize);
  if (name == "--seed") return ParseNumber<std::uint64_t>(value, 0, UINT64_MAX, o.seed);
  return false;
}

}  // namespace

std::optional<FloodOptions> FloodOptions::Parse(const std::vector<std::string_view>& args,
                                                std::string& error) {
  FloodOptions o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "-h" || args[i] == "--help") {
      o.help = true;
      continue;
    }
    if (i + 1 == args.size() || !Apply(o, args[i], args[i + 1])) {
      error = "bad option or value at '" + std::string(args[i]) + "'";
      return std::nullopt;
    }
    ++i;
  }
  if (!o.help && o.to.empty()) {
    error = "--to is required";
    return std::nullopt;
  }
  return o;
}

const char* FloodOptions::Help() {
  return R"(Usage: udp-flood --to A.B.C.D [--port P] [--rate N] [--seconds S] [--max-size B] [--seed N]

Sends datagrams of random bytes, each 1 to B bytes long (default 1200), to
A.B.C.D port P (default 15001) at N per second (default 100000, at most
1000000) for S seconds (default 5, at most 600), then prints how many it sent.
A hostile peer for tests and benchmarks of the receiving side: it runs only in
a network namespace of its own, such as a peer of the virtual LAN
(scripts/vlan), never in the machine's own.
)";
}
