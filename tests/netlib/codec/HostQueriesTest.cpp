#include <corvane/CCorvaneFunctions.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <string>

namespace {

// Host queries on loopback only: nothing here reaches a network.
TEST(HostQueries, LocalhostResolvesBothWays) {
  CCorvaneFunctions f;
  EXPECT_EQ(f.GetHostClientIpAddress(L"localhost"), L"127.0.0.1");
  EXPECT_FALSE(f.GetHostClientName(L"127.0.0.1").empty());
}

TEST(HostQueries, OddTextsGiveEmptyResults) {
  CCorvaneFunctions f;
  const std::wstring tooLong(260, L'a');
  // None of these may reach a name server: they fail before any look-up.
  for (const std::wstring& text : {std::wstring(), tooLong, std::wstring(L"local\0host", 10)}) {
    EXPECT_EQ(f.GetHostClientIpAddress(text), L"");
  }
  EXPECT_EQ(f.GetHostClientName(L""), L"");
  EXPECT_EQ(f.GetHostClientName(L"10.1"), L"") << "only dotted quads are addresses";
  EXPECT_EQ(f.GetHostClientName(L"not.an.address"), L"");
}

TEST(HostQueries, HostInfoOfLocalhost) {
  CCorvaneFunctions f;
  _HostInfo info;
  info.strMacAddress = L"kept";
  info.strAliases[7] = L"stale";
  info.strIpAddresses[7] = L"stale";
  ASSERT_EQ(f.GetHostInfo(L"localhost", info), 1);
  EXPECT_FALSE(info.strHostName.empty());
  EXPECT_EQ(info.strAddrType, L"AF_INET");
  EXPECT_EQ(info.strIpAddresses[0], L"127.0.0.1");
  EXPECT_EQ(info.strAliases[7], L"");
  EXPECT_EQ(info.strIpAddresses[7], L"");
  EXPECT_EQ(info.strMacAddress, L"kept") << "loopback has no neighbour entry";
}

TEST(HostQueries, HostInfoFailures) {
  CCorvaneFunctions f;
  _HostInfo info;
  EXPECT_EQ(f.GetHostInfo(L"", info), 0);
  EXPECT_EQ(f.GetHostInfo(std::wstring(300, L'x'), info), 0);
  EXPECT_EQ(f.GetHostInfo(std::wstring(L"local\0host", 10), info), 0);
}

TEST(ClientMac, AddressesThatAreNeverQueried) {
  // Refused before anything is sent: not unicast, loopback, or not an address.
  CCorvaneFunctions f;
  for (const wchar_t* ip : {L"127.0.0.1", L"0.0.0.0", L"255.255.255.255", L"224.0.0.1",
                            L"239.1.2.3", L"240.0.0.1", L"10.1", L"", L"printer"}) {
    std::wstring mac = L"kept";
    EXPECT_EQ(f.GetClientMacAddress(ip, mac), 0) << ip;
    EXPECT_EQ(mac, L"kept") << ip;
  }
}

// The rest runs inside the virtual LAN, whose peers have known MACs.
std::wstring Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::wstring(v, v + std::char_traits<char>::length(v)) : std::wstring();
}

std::wstring DashedUpper(std::wstring mac) {
  std::replace(mac.begin(), mac.end(), L':', L'-');
  std::transform(mac.begin(), mac.end(), mac.begin(), [](wchar_t c) { return std::towupper(c); });
  return mac;
}

class LanArp : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* vlan = std::getenv("VLAN");
    if (vlan == nullptr || std::string(vlan) != "1") GTEST_SKIP() << "needs the virtual LAN";
    // Start from an empty neighbour table so that resolution must be provoked.
    ASSERT_EQ(std::system("ip neigh flush all >/dev/null 2>&1"), 0);
  }
};

TEST_F(LanArp, PeersResolveToTheirMacs) {
  CCorvaneFunctions f;
  for (const char* peer : {"VLAN_PEER1", "VLAN_PEER2"}) {
    const std::string p(peer);
    std::wstring mac;
    ASSERT_EQ(f.GetClientMacAddress(Env((p + "_IP").c_str()), mac), 1) << peer;
    EXPECT_EQ(mac, DashedUpper(Env((p + "_MAC").c_str()))) << peer;
    std::wstring again;  // now from the table
    ASSERT_EQ(f.GetClientMacAddress(Env((p + "_IP").c_str()), again), 1);
    EXPECT_EQ(again, mac);
  }
}

TEST_F(LanArp, GatewayAndOwnAddress) {
  CCorvaneFunctions f;
  std::wstring mac;
  ASSERT_EQ(f.GetClientMacAddress(Env("VLAN_GATEWAY"), mac), 1);
  EXPECT_EQ(mac.size(), 17u);
  ASSERT_EQ(f.GetClientMacAddress(Env("VLAN_HOST_IP"), mac), 1);
  EXPECT_EQ(mac, DashedUpper(Env("VLAN_HOST_MAC")));
}

TEST_F(LanArp, AbsentAndOffLinkHostsFail) {
  CCorvaneFunctions f;
  std::wstring mac = L"kept";
  EXPECT_EQ(f.GetClientMacAddress(L"10.77.200.200", mac), 0);  // on the LAN, nobody there
  EXPECT_EQ(f.GetClientMacAddress(L"192.0.2.1", mac), 0);      // beyond the gateway
  EXPECT_EQ(f.GetClientMacAddress(Env("VLAN_BROADCAST"), mac), 0);
  EXPECT_EQ(mac, L"kept");
}

}  // namespace
