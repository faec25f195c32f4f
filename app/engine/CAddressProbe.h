#pragma once
// The address probe over the real network: corvane's neighbour look-up for
// ARP, an unprivileged ICMP datagram socket for the echo. Stateless, so one
// probe may serve several threads at once.
#include "IAddressProbe.h"

class CAddressProbe : public IAddressProbe {
 public:
  // How long an echo waits for its answer.
  static constexpr int kEchoTimeoutMs = 1500;

  std::wstring NeighbourMac(const std::wstring& strIp) override;
  EEcho Echo(const std::wstring& strIp) override;
};
