// Fuzzes the readers of the kernel's text tables: default routes from a
// /proc/net/route text and a neighbour's MAC from a /proc/net/arp text.
#include <algorithm>

#include "FuzzInput.h"
#include "platform/NeighbourTable.h"
#include "platform/RouteTable.h"

using namespace corvane::detail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  FuzzInput in(pData, uiSize);
  const std::string ip = in.ShortRun();
  const std::string text = in.Rest();

  const std::vector<DefaultRoute> routes = ParseDefaultRoutes(text);
  Require(std::is_sorted(routes.begin(), routes.end(), [](const auto& a, const auto& b) {
    return a.uMetric < b.uMetric;
  }));
  for (const DefaultRoute& r : routes) {
    Require(!r.strInterface.empty() && r.strGateway != "0.0.0.0");
    Require(std::count(r.strGateway.begin(), r.strGateway.end(), '.') == 3);
  }
  MacAddress mac{};
  FindInArpText(text, ip, mac);
  return 0;
}
