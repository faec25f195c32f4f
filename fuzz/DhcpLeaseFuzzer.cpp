// Fuzzes the DHCP lease-file readers (dhclient blocks, KEY=value files) with
// any text: a lease is only ever taken for one of the interface's addresses.
#include "FuzzInput.h"
#include "platform/DhcpLeases.h"

using namespace corvane::detail;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  FuzzInput in(pData, uiSize);
  const std::string iface = in.ShortRun();
  const std::vector<AdapterAddress> addresses = {{in.ShortRun(), "255.255.255.0"},
                                                 {"10.77.0.2", "255.255.0.0"}};
  const std::string text = in.Rest();

  LeaseFacts lease;
  if (ParseDhclientLeases(text, iface, addresses, lease)) {
    Require(!lease.strServer.empty());
    Require(lease.strAddress == addresses[0].strIp || lease.strAddress == addresses[1].strIp);
  }
  LeaseFacts keyValue;
  if (ParseKeyValueLease(text, keyValue)) Require(!keyValue.strServer.empty());
  return 0;
}
