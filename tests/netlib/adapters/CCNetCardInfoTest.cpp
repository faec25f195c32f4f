#include <corvane/CCNetCardInfo.h>
#include <gtest/gtest.h>

#include "FakeAdapterSource.h"

namespace {

using namespace corvane::testing;

std::shared_ptr<AdapterScript> TwoCards() {
  auto s = std::make_shared<AdapterScript>();
  s->list.records = {Card("eth0", {{"10.0.0.5", "255.255.255.0"}}),
                     Card("eth1", {{"192.168.7.9", "255.255.0.0"}})};
  s->list.records[1].strGateway = "192.168.0.1";
  return s;
}

CCNetCardInfo Collect(std::shared_ptr<AdapterScript> script) {
  return CCNetCardInfo(std::make_unique<FakeAdapterSource>(std::move(script)));
}

TEST(NetCardIndex, DefaultAndOutOfRangeIndices) {
  auto s = TwoCards();
  s->hostIp = "192.168.7.9";
  auto info = Collect(s);
  ASSERT_EQ(info.GetErrorMsg(), L"Success!");
  ASSERT_EQ(info.Get_m_dwNumOfCard(), 2u);
  EXPECT_EQ(info.Get_m_dwDefaultCardNum(), 1u);
  const struct { DWORD index; const wchar_t* ip; } cases[] = {
      {0xFFFFFFFF, L"192.168.7.9"}, {0, L"10.0.0.5"},   {1, L"192.168.7.9"},
      {2, L"10.0.0.5"},             {99, L"10.0.0.5"},  {0xFFFFFFFE, L"10.0.0.5"},
  };
  for (const auto& c : cases) EXPECT_EQ(info.GetNetCardIPAddress(c.index), c.ip) << c.index;
  EXPECT_EQ(info.GetNetCardSubnetMask(0xFFFFFFFF), L"255.255.0.0");
  EXPECT_EQ(info.GetNetCardGateWay(0xFFFFFFFF), L"192.168.0.1");
  EXPECT_EQ(info.GetNetCardDeviceName(0xFFFFFFFF), L"eth1");
}

TEST(NetCardDefault, OwnAddressRules) {
  struct Case {
    const char* why;
    bool hostResolves;
    const char* hostIp;
    int routeCard;  // card holding the default route, -1 for none
    DWORD expectedDefault;
    const wchar_t* status;
  };
  const Case cases[] = {
      {"host name on card 1 wins over the route", true, "192.168.7.9", 0, 1, L"Success!"},
      {"127.0.1.1: the default-route card", true, "127.0.1.1", 1, 1, L"Success!"},
      {"no match and no route keeps card 0", true, "127.0.1.1", -1, 0, L"Success!"},
      {"unresolved name: the default-route card", false, "", 1, 1, L"Success!"},
      {"nothing at all", false, "", -1, 0, L"Unable to get local IP address..."},
  };
  for (const auto& c : cases) {
    auto s = TwoCards();
    s->hostResolves = c.hostResolves;
    s->hostIp = c.hostIp;
    if (c.routeCard >= 0) s->list.records[c.routeCard].bDefaultRoute = true;
    auto info = Collect(s);
    EXPECT_EQ(info.Get_m_dwDefaultCardNum(), c.expectedDefault) << c.why;
    EXPECT_EQ(info.GetErrorMsg(), c.status) << c.why;
  }
}

TEST(NetCardAddresses, TwoAddressesOnOneAdapter) {
  auto s = TwoCards();
  s->list.records[1].addresses = {{"192.168.7.9", "255.255.0.0"}, {"172.16.1.1", "255.240.0.0"}};
  s->hostIp = "192.168.7.9";  // the adapter's first address is the own address
  auto info = Collect(s);
  EXPECT_EQ(info.GetNetCardIPAddress(1), L"192.168.7.9\r\n172.16.1.1");
  EXPECT_EQ(info.GetNetCardSubnetMask(1), L"255.255.0.0");
  EXPECT_EQ(info.Get_m_dwDefaultCardNum(), 0u) << "a joined address list never matches";
}

TEST(NetCardFields, FormatsOfTheEntry) {
  auto s = TwoCards();
  AdapterRecord& r = s->list.records[0];
  r.hwAddress = {0x00, 0x0A, 0x1B, 0x2C, 0x3D, 0x4E};
  r.dwType = 71;
  r.strDhcpServer = "10.0.0.254";
  r.strGateway.clear();  // no gateway
  s->list.records[1].hwAddress = {0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF, 0x11, 0x22};
  auto info = Collect(s);
  EXPECT_EQ(info.GetNetCardMACAddress(0), L"00:0A:1B:2C:3D:4E");
  EXPECT_EQ(info.GetNetCardMACAddress(1), L"AA:BB:CC:DD:EE:FF") << "only six bytes";
  s->list.records[1].hwAddress = {0x01, 0x02};
  info.GetCardInfo();
  EXPECT_EQ(info.GetNetCardMACAddress(1), L"01:02:00:00:00:00") << "short address padded";
  EXPECT_EQ(info.GetNetCardType(0), L"71");
  EXPECT_EQ(info.GetNetCardType(1), L"6");
  EXPECT_EQ(info.GetDHCPServer(0), L"10.0.0.254");
  EXPECT_EQ(info.GetDHCPServer(1), L"N/A");
  EXPECT_EQ(info.GetNetCardWINS(0), L"N/A");
  EXPECT_EQ(info.GetNetCardGateWay(0), L"0.0.0.0");
  EXPECT_EQ(info.GetNetCardGateWay(1), L"192.168.0.1");
}

TEST(NetCardStatus, FailureTexts) {
  const struct { DWORD countRc, listRc; bool hostOk; const wchar_t* text; DWORD cards; } cases[] = {
      {31, 0, true, L"Unable to get needed buffer size...", 0},
      {0, 50, true, L"The system not support GetAdaptersInfo API function!", 2},
      {0, 232, true, L"No net device information!", 2},
      {0, 31, true, L"Other unandled error...", 2},
      {0, 0, false, L"Unable to get local IP address...", 2},  // table stays, texts empty
  };
  for (const auto& c : cases) {
    auto s = TwoCards();
    s->countResult = c.countRc;
    s->listResult = c.listRc;
    s->hostResolves = c.hostOk;
    auto info = Collect(s);
    EXPECT_EQ(info.GetErrorMsg(), c.text);
    EXPECT_EQ(info.GetCardInfo(), 0) << c.text;
    EXPECT_EQ(info.Get_m_dwNumOfCard(), c.cards) << c.text;
    for (DWORD index : {0u, 1u, 0xFFFFFFFFu}) {
      EXPECT_EQ(info.GetNetCardIPAddress(index) + info.GetNetCardSubnetMask(index) +
                    info.GetNetCardMACAddress(index) + info.GetDHCPServer(index), L"") << c.text;
    }
  }
}

// The smaller of the two counts wins; each collection replaces the table.
TEST(NetCardStatus, RecollectionTakesTheSmallerCountAndReplacesTheTable) {
  auto s = TwoCards();
  s->hostIp = "192.168.7.9";
  s->count = 3;
  auto info = Collect(s);
  ASSERT_EQ(info.Get_m_dwNumOfCard(), 2u);
  ASSERT_EQ(info.GetNetCardIPAddress(1), L"192.168.7.9");
  s->count = 1;  // the second adapter is out of reach: index 1 is card 0
  s->list.records[0].addresses = {{"10.9.9.9", "255.0.0.0"}};
  EXPECT_EQ(info.GetCardInfo(), 1);
  EXPECT_EQ(info.Get_m_dwNumOfCard(), 1u);
  EXPECT_EQ(info.GetNetCardIPAddress(1), L"10.9.9.9");
  EXPECT_EQ(info.GetNetCardIPAddress(0xFFFFFFFF), L"10.9.9.9");
  s->countResult = 31;
  EXPECT_EQ(info.GetCardInfo(), 0);
  EXPECT_EQ(info.GetNetCardIPAddress(0xFFFFFFFF), L"");
}

}  // namespace
