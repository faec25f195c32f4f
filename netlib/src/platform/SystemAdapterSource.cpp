// The running system as the source of adapter facts: interfaces and
// addresses from getifaddrs, gateways from the routing table, DHCP servers
// from lease files, the own address from the host name.
#include "adapters/AdapterSource.h"

#include <algorithm>

#include "platform/DhcpLeases.h"
#include "platform/InterfaceList.h"
#include "platform/Resolver.h"
#include "platform/RouteTable.h"

namespace corvane::detail {
namespace {

// Loopback is not an adapter; neither is an interface without IPv4.
bool Listed(const InterfaceInfo& info) {
  return !info.bLoopback && !info.addresses.empty();
}

AdapterRecord MakeRecord(InterfaceInfo& info, const std::vector<DefaultRoute>& routes) {
  AdapterRecord record;
  record.strName = info.strName;
  record.hwAddress = info.hwAddress;
  record.dwType = InterfaceTypeNumber(info.usHwType, info.bLoopback, IsWirelessInterface(info.strName));
  record.addresses = std::move(info.addresses);
  auto route = std::find_if(routes.begin(), routes.end(),
                            [&](const DefaultRoute& r) { return r.strInterface == info.strName; });
  if (route != routes.end()) record.strGateway = route->strGateway;
  record.bDefaultRoute = !routes.empty() && routes.front().strInterface == info.strName;
  record.strDhcpServer = FindDhcpServer(info.strName, info.uIndex, record.addresses);
  return record;
}

class SystemAdapterSource final : public AdapterSource {
 public:
  DWORD CountAdapters(DWORD& dwCount) override {
    std::vector<InterfaceInfo> interfaces;
    if (!ListInterfaces(interfaces)) return kSourceOtherError;
    dwCount = static_cast<DWORD>(std::count_if(interfaces.begin(), interfaces.end(), Listed));
    return kSourceOk;
  }

  DWORD ListAdapters(AdapterList& list) override {
    std::vector<InterfaceInfo> interfaces;
    if (!ListInterfaces(interfaces)) return kSourceOtherError;
    const std::vector<DefaultRoute> routes = ReadDefaultRoutes();
    list.records.clear();
    for (auto& info : interfaces) {
      if (Listed(info)) list.records.push_back(MakeRecord(info, routes));
    }
    return list.records.empty() ? kSourceNoData : kSourceOk;
  }

  bool HostNameAddress(std::string& strIp) override {
    std::string name;
    return LocalHostName(name) && ResolveFirstIPv4(name, strIp);
  }
};

}  // namespace

std::unique_ptr<AdapterSource> MakeSystemAdapterSource() {
  return std::make_unique<SystemAdapterSource>();
}

}  // namespace corvane::detail
