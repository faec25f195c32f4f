#pragma once
// Hardware addresses of IPv4 neighbours from the kernel's neighbour (ARP)
// table. A missing entry is provoked with one empty UDP datagram to the
// neighbour's discard port (9) and awaited through the kernel's neighbour
// notifications, up to a deadline.
#include <corvane/CorvaneTypes.h>

#include <array>
#include <string>

namespace corvane::detail {

using MacAddress = std::array<BYTE, 6>;

// Complete entry of a /proc/net/arp text for the dotted address.
bool FindInArpText(const std::string& tableText, const std::string& ip, MacAddress& mac);

// The neighbour's MAC address. Only on-link unicast addresses are queried
// (nothing is sent to any other); one of this machine's own addresses gives
// its interface's hardware address. Waits at most timeoutMs.
bool ResolveNeighbourMac(const std::string& ip, MacAddress& mac, int timeoutMs);

}  // namespace corvane::detail
