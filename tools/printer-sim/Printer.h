#pragma once
// One simulated printer: its address and the settings it reports. The texts
// are answered exactly as stored, so a configuration can give odd values.
#include <string>
#include <string_view>

#include "Ipv4Address.h"

namespace printersim {

struct Printer {
  Ipv4Address address;
  std::string mac;
  std::string name;
  std::string model;
  std::string subnetMask;
  std::string gateway;
  std::string dhcp;

  // The address a subnet-directed broadcast to this printer's network has,
  // or the limited broadcast when the subnet mask is not a dotted address.
  Ipv4Address DirectedBroadcast() const;
};

}  // namespace printersim
