#include "platform/InterfaceList.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <netinet/in.h>
#include <netpacket/packet.h>
#include <sys/stat.h>

#include <algorithm>
#include <memory>

#include "platform/Resolver.h"

namespace corvane::detail {
namespace {

struct IfAddrsFree {
  void operator()(ifaddrs* p) const { freeifaddrs(p); }
};

InterfaceInfo& Entry(std::vector<InterfaceInfo>& list, const char* name) {
  auto it = std::find_if(list.begin(), list.end(),
                         [&](const InterfaceInfo& i) { return i.strName == name; });
  if (it != list.end()) return *it;
  InterfaceInfo info;
  info.strName = name;
  info.uIndex = if_nametoindex(name);
  list.push_back(std::move(info));
  return list.back();
}

void AddPacketEntry(InterfaceInfo& info, const sockaddr_ll& ll) {
  info.usHwType = ll.sll_hatype;
  const std::size_t len = std::min<std::size_t>(ll.sll_halen, sizeof ll.sll_addr);
  info.hwAddress.assign(ll.sll_addr, ll.sll_addr + len);
}

void AddIPv4Entry(InterfaceInfo& info, const ifaddrs& entry) {
  AdapterAddress address;
  address.strIp = FormatDottedIPv4(reinterpret_cast<const sockaddr_in*>(entry.ifa_addr)->sin_addr.s_addr);
  address.strMask = entry.ifa_netmask
      ? FormatDottedIPv4(reinterpret_cast<const sockaddr_in*>(entry.ifa_netmask)->sin_addr.s_addr)
      : "0.0.0.0";
  info.addresses.push_back(std::move(address));
}

}  // namespace

bool ListInterfaces(std::vector<InterfaceInfo>& interfaces) {
  ifaddrs* pList = nullptr;
  if (getifaddrs(&pList) != 0) return false;
  std::unique_ptr<ifaddrs, IfAddrsFree> list(pList);
  interfaces.clear();
  for (const ifaddrs* p = list.get(); p; p = p->ifa_next) {
    if (p->ifa_name == nullptr) continue;
    InterfaceInfo& info = Entry(interfaces, p->ifa_name);
    info.bLoopback = info.bLoopback || (p->ifa_flags & IFF_LOOPBACK) != 0;
    info.bUp = (p->ifa_flags & IFF_UP) != 0 && (p->ifa_flags & IFF_RUNNING) != 0;
    info.bBroadcast = (p->ifa_flags & IFF_BROADCAST) != 0;
    if (p->ifa_addr == nullptr) continue;
    if (p->ifa_addr->sa_family == AF_PACKET) {
      AddPacketEntry(info, *reinterpret_cast<const sockaddr_ll*>(p->ifa_addr));
    } else if (p->ifa_addr->sa_family == AF_INET) {
      AddIPv4Entry(info, *p);
    }
  }
  std::stable_sort(interfaces.begin(), interfaces.end(),
                   [](const InterfaceInfo& a, const InterfaceInfo& b) { return a.uIndex < b.uIndex; });
  return true;
}

DWORD InterfaceTypeNumber(unsigned short usHwType, bool bLoopback, bool bWireless) {
  if (bLoopback || usHwType == ARPHRD_LOOPBACK) return 24;
  if (bWireless || usHwType == ARPHRD_IEEE80211) return 71;
  if (usHwType == ARPHRD_ETHER) return 6;
  return 1;
}

bool IsWirelessInterface(const std::string& name) {
  if (name.empty() || name.find('/') != std::string::npos) return false;
  struct stat st{};
  const std::string base = "/sys/class/net/" + name;
  return stat((base + "/wireless").c_str(), &st) == 0 || stat((base + "/phy80211").c_str(), &st) == 0;
}

}  // namespace corvane::detail
