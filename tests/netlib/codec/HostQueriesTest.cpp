#include <corvane/CCorvaneFunctions.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

// Outside the virtual LAN only loopback is used, and only texts that fail
// before a name server could be asked.
TEST(HostQueries, Localhost) {
  CCorvaneFunctions f;
  EXPECT_EQ(f.GetHostClientIpAddress(L"localhost"), L"127.0.0.1");
  EXPECT_FALSE(f.GetHostClientName(L"127.0.0.1").empty());
  _HostInfo info;
  info.strMacAddress = L"kept";
  info.strIpAddresses[7] = L"stale";
  ASSERT_EQ(f.GetHostInfo(L"localhost", info), 1);
  EXPECT_EQ(info.strAddrType, L"AF_INET");
  EXPECT_EQ(info.strIpAddresses[0], L"127.0.0.1");
  EXPECT_EQ(info.strIpAddresses[7], L"");
  EXPECT_EQ(info.strMacAddress, L"kept") << "loopback has no neighbour entry";
}

TEST(HostQueries, OddTextsFail) {
  CCorvaneFunctions f;
  _HostInfo info;
  for (const std::wstring& text : {std::wstring(), std::wstring(260, L'a'),
                                   std::wstring(L"local\0host", 10)}) {
    EXPECT_EQ(f.GetHostClientIpAddress(text), L"");
    EXPECT_EQ(f.GetHostInfo(text, info), 0);
  }
  EXPECT_EQ(f.GetHostClientName(L"10.1"), L"") << "only dotted quads are addresses";
}

TEST(ClientMac, AddressesThatAreNeverQueried) {
  CCorvaneFunctions f;
  for (const wchar_t* ip : {L"127.0.0.1", L"0.0.0.0", L"255.255.255.255", L"224.0.0.1",
                            L"240.0.0.1", L"10.1", L"", L"printer"}) {
    std::wstring mac = L"kept";
    EXPECT_EQ(f.GetClientMacAddress(ip, mac), 0) << ip;
    EXPECT_EQ(mac, L"kept") << ip;
  }
}

std::wstring Env(const std::string& name) {
  const char* v = std::getenv(name.c_str());
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
    if (Env("VLAN") != L"1") GTEST_SKIP() << "needs the virtual LAN";
    // An empty neighbour table: resolution must be provoked and awaited.
    ASSERT_EQ(std::system("ip neigh flush all >/dev/null 2>&1"), 0);
  }
};

TEST_F(LanArp, KnownMacs) {
  CCorvaneFunctions f;
  for (const std::string host : {"VLAN_PEER1", "VLAN_PEER2", "VLAN_HOST"}) {
    std::wstring mac, again;
    ASSERT_EQ(f.GetClientMacAddress(Env(host + "_IP"), mac), 1) << host;
    EXPECT_EQ(mac, DashedUpper(Env(host + "_MAC"))) << host;
    ASSERT_EQ(f.GetClientMacAddress(Env(host + "_IP"), again), 1) << host;  // from the table
    EXPECT_EQ(again, mac);
  }
  std::wstring gateway;
  ASSERT_EQ(f.GetClientMacAddress(Env("VLAN_GATEWAY"), gateway), 1);
  EXPECT_EQ(gateway.size(), 17u);
}

TEST_F(LanArp, AbsentOffLinkAndBroadcastFail) {
  CCorvaneFunctions f;
  std::wstring mac = L"kept";
  EXPECT_EQ(f.GetClientMacAddress(L"10.77.200.200", mac), 0);  // on the LAN, nobody there
  EXPECT_EQ(f.GetClientMacAddress(L"192.0.2.1", mac), 0);      // beyond the gateway
  EXPECT_EQ(f.GetClientMacAddress(Env("VLAN_BROADCAST"), mac), 0);
  EXPECT_EQ(mac, L"kept");
}

}  // namespace
