// The address check against a real network: a host behind the router answers
// ping, a free address there stays silent. Inside the virtual LAN with
// --router. (A peer answering ARP on the LAN: tools/lumora-cli/LanProvisioningTest.)
#include "CAddressProbe.h"
#include "CSettingsCheck.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>

#include <fstream>

using VirtualLan::Env;

namespace {

std::vector<std::wstring> Warnings(const std::string& ip, const std::string& mask,
                                   const std::string& gateway) {
  CAddressProbe probe;
  const CSettingsCheck check(CCNetInterfaces().GetEntries(), &probe);
  const CPrinterSettings proposed{L"Hall 1", std::wstring(ip.begin(), ip.end()),
                                  std::wstring(mask.begin(), mask.end()),
                                  std::wstring(gateway.begin(), gateway.end()), L""};
  std::vector<std::wstring> texts;
  for (const auto& f : check.Judge(proposed, L"02-51-4D-00-00-01", {})) texts.push_back(f.strText);
  return texts;
}

}  // namespace

TEST(LanAddressProbe, HostBehindTheRouterAnswersPing) {
  if (!VirtualLan::Inside() || Env("VLAN_FAR_IP").empty()) GTEST_SKIP() << "needs --router";
  // Unprivileged ICMP sockets are off in a fresh namespace; this one is the test's.
  std::ofstream("/proc/sys/net/ipv4/ping_group_range") << "0 2147483647\n";
  const std::wstring kNoInterface =
      L"This computer has no interface in the subnet 10.99.0.0/16: it will not reach the printer "
      L"at ";
  const auto far = Warnings(Env("VLAN_FAR_IP"), "255.255.0.0", "10.99.0.1");
  ASSERT_EQ(far.size(), 2u);
  EXPECT_EQ(far[0].rfind(kNoInterface, 0), 0u);
  EXPECT_EQ(far[1], L"10.99.1.1 is already in use: a device there answers ping.");
  EXPECT_EQ(Warnings("10.99.1.77", "255.255.0.0", "10.99.0.1").size(), 1u);
}
