#include "platform/RouteTable.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/Resolver.h"

namespace corvane::detail {
namespace {

constexpr unsigned kRouteUp = 0x0001;       // RTF_UP
constexpr unsigned kRouteGateway = 0x0002;  // RTF_GATEWAY

// Addresses are printed as the hexadecimal value of the network-order word.
bool ParseHexWord(const std::string& text, std::uint32_t& value) {
  if (text.empty() || text.size() > 8) return false;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, 16);
  return ec == std::errc() && ptr == end;
}

}  // namespace

std::vector<DefaultRoute> ParseDefaultRoutes(const std::string& tableText) {
  std::vector<DefaultRoute> routes;
  std::istringstream lines(tableText);
  std::string line;
  std::getline(lines, line);  // column titles
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string iface, dest, gateway, flags, refcnt, use, metric, mask;
    if (!(fields >> iface >> dest >> gateway >> flags >> refcnt >> use >> metric >> mask)) continue;
    std::uint32_t d = 0, g = 0, f = 0, m = 0;
    if (!ParseHexWord(dest, d) || !ParseHexWord(gateway, g) || !ParseHexWord(flags, f) ||
        !ParseHexWord(mask, m)) {
      continue;
    }
    if (d != 0 || m != 0 || (f & kRouteUp) == 0 || (f & kRouteGateway) == 0 || g == 0) continue;
    DefaultRoute route;
    route.strInterface = iface;
    route.strGateway = FormatDottedIPv4(g);
    route.uMetric = static_cast<std::uint32_t>(std::strtoul(metric.c_str(), nullptr, 10));
    routes.push_back(std::move(route));
  }
  std::stable_sort(routes.begin(), routes.end(),
                   [](const DefaultRoute& a, const DefaultRoute& b) { return a.uMetric < b.uMetric; });
  return routes;
}

std::vector<DefaultRoute> ReadDefaultRoutes() {
  std::ifstream file("/proc/net/route");
  if (!file) return {};
  std::ostringstream text;
  text << file.rdbuf();
  return ParseDefaultRoutes(text.str());
}

}  // namespace corvane::detail
