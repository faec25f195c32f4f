#pragma once
// Asks the network whether an IPv4 address is already taken: an ARP look-up
// for an address on one of this computer's subnets, an ICMP echo for one
// elsewhere. Both send to the network; the settings check reaches it only
// through this, so that tests can answer for it.
#include <string>

class IAddressProbe {
 public:
  enum class EEcho { kAnswered, kSilent, kNotAllowed };

  virtual ~IAddressProbe() = default;

  // The hardware address ("02-4C-00-00-01-01") that answered ARP for the
  // on-link address; empty when nothing answered. May wait some seconds.
  virtual std::wstring NeighbourMac(const std::wstring& strIp) = 0;
  // Whether the address answers an ICMP echo; kNotAllowed when this system
  // does not let an unprivileged program send one.
  virtual EEcho Echo(const std::wstring& strIp) = 0;
};
