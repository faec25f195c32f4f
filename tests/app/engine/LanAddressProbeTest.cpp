// The address probe's echo against a real network: a host behind the router
// answers ping, a free address there stays silent. Inside the virtual LAN with
// --router. (A peer answering ARP on the LAN: tools/lumora-cli/LanProvisioningTest;
// the warnings made of the answers: SettingsCheck.NetworkWarnings.)
#include "CAddressProbe.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>

#include <fstream>

TEST(LanAddressProbe, HostBehindTheRouterAnswersPing) {
  const std::string far = VirtualLan::Env("VLAN_FAR_IP");
  if (!VirtualLan::Inside() || far.empty()) GTEST_SKIP() << "needs --router";
  // Unprivileged ICMP sockets are off in a fresh namespace; this one is the test's.
  std::ofstream("/proc/sys/net/ipv4/ping_group_range") << "0 2147483647\n";
  CAddressProbe probe;
  EXPECT_EQ(probe.Echo(std::wstring(far.begin(), far.end())), IAddressProbe::EEcho::kAnswered);
  EXPECT_EQ(probe.Echo(L"10.99.1.77"), IAddressProbe::EEcho::kSilent);
}
