#pragma once
// The machine's network interfaces from getifaddrs: hardware address and
// type (AF_PACKET entries) and IPv4 addresses with masks, in system order.
#include <corvane/CorvaneTypes.h>

#include <string>
#include <vector>

#include "adapters/AdapterSource.h"

namespace corvane::detail {

struct InterfaceInfo {
  std::string strName;
  unsigned uIndex = 0;
  bool bLoopback = false;
  bool bUp = false;         // administratively up and running
  bool bBroadcast = false;  // the link can broadcast (not point-to-point)
  unsigned short usHwType = 0;  // ARPHRD_* of the link, 0 when unknown
  std::vector<BYTE> hwAddress;
  std::vector<AdapterAddress> addresses;  // IPv4 only, primary first
};

// false when the interface list cannot be read at all.
bool ListInterfaces(std::vector<InterfaceInfo>& interfaces);

// Interface type number: 6 Ethernet, 71 wireless, 24 loopback, 1 other.
DWORD InterfaceTypeNumber(unsigned short usHwType, bool bLoopback, bool bWireless);
// Whether the interface is a wireless one (it has wireless extensions/cfg80211).
bool IsWirelessInterface(const std::string& name);

}  // namespace corvane::detail
