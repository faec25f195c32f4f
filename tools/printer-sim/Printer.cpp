#include "Printer.h"

namespace printersim {

Ipv4Address Printer::DirectedBroadcast() const {
  const auto mask = Ipv4Address::Parse(subnetMask);
  if (!mask) return kLimitedBroadcast;
  return Ipv4Address(address.value() | ~mask->value());
}

}  // namespace printersim
