#pragma once
// Gives a printer that was told a new IP address that address on the host,
// so that it can answer from it. The simulator holds it only where it may
// change the host's interfaces: in a network namespace of its own.
#include <string>

#include "Ipv4Address.h"

namespace printersim {

class HostAddresses {
 public:
  virtual ~HostAddresses() = default;

  // Makes `wanted` an address of the host, on the interface that holds
  // `current`, with the prefix length; true when the host holds it already.
  // False with `error` when it cannot be added.
  virtual bool Take(Ipv4Address current, Ipv4Address wanted, unsigned prefixLength,
                    std::string& error) = 0;
};

}  // namespace printersim
