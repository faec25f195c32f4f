#pragma once
// HostAddresses through rtnetlink: adds an address to the interface that
// holds the printer's current one (the old address stays, other programs may
// use it) and removes the addresses it added when it is destroyed. Needs
// CAP_NET_ADMIN in the simulator's network namespace.
#include <vector>

#include "HostAddresses.h"

namespace printersim {

class NetlinkAddresses : public HostAddresses {
 public:
  NetlinkAddresses() = default;
  NetlinkAddresses(const NetlinkAddresses&) = delete;
  NetlinkAddresses& operator=(const NetlinkAddresses&) = delete;
  ~NetlinkAddresses() override;

  bool Take(Ipv4Address current, Ipv4Address wanted, unsigned prefixLength,
            std::string& error) override;

 private:
  struct Added {
    int interfaceIndex;
    Ipv4Address address;
    unsigned prefixLength;
  };
  // One RTM_NEWADDR or RTM_DELADDR request, answered by the kernel's ack.
  static bool Change(int type, const Added& address, std::string& error);

  std::vector<Added> added_;
};

}  // namespace printersim
