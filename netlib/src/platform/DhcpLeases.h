#pragma once
// The DHCP server of an interface, from the lease files the common DHCP
// clients leave behind: systemd-networkd, NetworkManager (internal client or
// dhclient) and ISC dhclient. A lease counts only when its address is still
// one of the interface's addresses, so a stale file of a since statically
// configured interface is not taken for DHCP.
#include <string>
#include <vector>

#include "adapters/AdapterSource.h"

namespace corvane::detail {

struct LeaseFacts {
  std::string strAddress;  // leased address
  std::string strServer;   // DHCP server identifier
};

// dhclient lease text: the last complete lease of the interface whose
// address is one of the given ones. An empty interface name accepts leases
// without (or with any) interface line.
bool ParseDhclientLeases(const std::string& text, const std::string& iface,
                         const std::vector<AdapterAddress>& addresses, LeaseFacts& lease);
// KEY=value lease text (systemd-networkd, NetworkManager's internal client).
bool ParseKeyValueLease(const std::string& text, LeaseFacts& lease);

// The DHCP server of the interface from the system's lease files; empty
// when no current lease is found.
std::string FindDhcpServer(const std::string& iface, unsigned index,
                           const std::vector<AdapterAddress>& addresses);

}  // namespace corvane::detail
