#pragma once
// IPv4 default routes from the kernel routing table (/proc/net/route).
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::detail {

struct DefaultRoute {
  std::string strInterface;
  std::string strGateway;  // dotted decimal
  std::uint32_t uMetric = 0;
};

// Default routes (destination and mask 0, up, via a gateway) of a
// /proc/net/route text, lowest metric first (ties keep table order).
std::vector<DefaultRoute> ParseDefaultRoutes(const std::string& tableText);
// The same, read from the running system; empty when none or unreadable.
std::vector<DefaultRoute> ReadDefaultRoutes();

}  // namespace corvane::detail
