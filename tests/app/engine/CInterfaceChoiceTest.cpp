#include "CInterfaceChoice.h"

#include <gtest/gtest.h>

namespace {

using Entry = CCNetInterfaces::Entry;

Entry Make(const wchar_t* name, DWORD index, DWORD address, DWORD mask, BOOL up = 1,
           BOOL broadcast = 1, BOOL loopback = 0) {
  Entry e = CCNetInterfaces::MakeEntry(name, index, address, mask);
  e.bUp = up, e.bBroadcast = broadcast, e.bLoopback = loopback;
  return e;
}

// lo, eth0 with two addresses in one subnet, eth1, a VPN, a card that is
// down, a /31 link.
const std::vector<Entry> kMachine = {
    Make(L"lo", 1, 0x7F000001, 0xFF000000, 1, 0, 1),  Make(L"eth0", 2, 0x0A4D0002, 0xFFFF0000),
    Make(L"eth0", 2, 0x0A4D0003, 0xFFFF0000),         Make(L"eth1", 3, 0xC0A80105, 0xFFFFFF00),
    Make(L"tun0", 4, 0x0A080001, 0xFFFFFF00, 1, 0),   Make(L"eth2", 5, 0x0A090001, 0xFFFFFF00, 0),
    Make(L"p2p0", 6, 0x0A0A0000, 0xFFFFFFFE),
};

std::vector<std::wstring> Resolved(const wchar_t* text, std::vector<std::wstring>& problems) {
  std::vector<std::wstring> out;
  for (const Entry& e : CInterfaceChoice(text).Resolve(kMachine, problems))
    out.push_back(e.strName + L" " + e.strAddress + L" " + e.strBroadcast);
  return out;
}

}  // namespace

TEST(CInterfaceChoice, ResolvesToOneWayOutPerInterfaceThatCanBroadcast) {
  EXPECT_EQ(CInterfaceChoice(L" , ").GetMode(), CInterfaceChoice::Mode::kDefault);
  EXPECT_EQ(CInterfaceChoice(L"eth1,ALL").GetMode(), CInterfaceChoice::Mode::kAll);
  EXPECT_EQ(CInterfaceChoice(L" eth1 ,eth0,eth1").GetNames(),
            (std::vector<std::wstring>{L"eth1", L"eth0"}));
  std::vector<std::wstring> problems;
  EXPECT_TRUE(Resolved(L"", problems).empty());
  // Never loopback, a VPN, a card that is down or a /31 link.
  EXPECT_EQ(Resolved(L"all", problems),
            (std::vector<std::wstring>{L"eth0 10.77.0.2 10.77.255.255",
                                       L"eth1 192.168.1.5 192.168.1.255"}));
  EXPECT_EQ(Resolved(L"eth1", problems),
            (std::vector<std::wstring>{L"eth1 192.168.1.5 192.168.1.255"}));
  EXPECT_TRUE(problems.empty());
}

TEST(CInterfaceChoice, UnusableNamesAreProblems) {
  std::vector<std::wstring> problems;
  EXPECT_EQ(Resolved(L"eth1,eth9,tun0,eth2,lo", problems).size(), 1u);
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_EQ(problems[0], L"no IPv4 interface named 'eth9'");
  EXPECT_NE(problems[1].find(L"'tun0' cannot broadcast"), std::wstring::npos);
  problems.clear();
  CInterfaceChoice(L"all").Resolve({kMachine[0]}, problems);
  EXPECT_EQ(problems, std::vector<std::wstring>{L"no interface can broadcast"});
}
