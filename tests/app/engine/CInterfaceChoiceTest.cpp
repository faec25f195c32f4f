#include "CInterfaceChoice.h"

#include <gtest/gtest.h>

namespace {

using Entry = CCNetInterfaces::Entry;

Entry Make(const wchar_t* name, DWORD index, DWORD address, DWORD mask, bool up = true,
           bool broadcast = true, bool loopback = false) {
  Entry e = CCNetInterfaces::MakeEntry(name, index, address, mask);
  e.bUp = up;
  e.bBroadcast = broadcast;
  e.bLoopback = loopback;
  return e;
}

// lo, eth0 with two addresses in one subnet, eth1, a VPN, a down card, a /31 link.
const std::vector<Entry> kMachine = {
    Make(L"lo", 1, 0x7F000001, 0xFF000000, true, false, true),
    Make(L"eth0", 2, 0x0A4D0002, 0xFFFF0000),
    Make(L"eth0", 2, 0x0A4D0003, 0xFFFF0000),
    Make(L"eth1", 3, 0xC0A80105, 0xFFFFFF00),
    Make(L"tun0", 4, 0x0A080001, 0xFFFFFF00, true, false),
    Make(L"eth2", 5, 0x0A090001, 0xFFFFFF00, false),
    Make(L"p2p0", 6, 0x0A0A0000, 0xFFFFFFFE),
};

std::vector<std::wstring> Broadcasts(const std::vector<Entry>& entries) {
  std::vector<std::wstring> out;
  for (const Entry& e : entries) out.push_back(e.strName + L" " + e.strBroadcast);
  return out;
}

}  // namespace

TEST(CInterfaceChoice, ModesFromText) {
  EXPECT_EQ(CInterfaceChoice(L"").GetMode(), CInterfaceChoice::Mode::kDefault);
  EXPECT_EQ(CInterfaceChoice(L" , ").GetMode(), CInterfaceChoice::Mode::kDefault);
  EXPECT_EQ(CInterfaceChoice(L"ALL").GetMode(), CInterfaceChoice::Mode::kAll);
  EXPECT_EQ(CInterfaceChoice(L"eth1,all").GetMode(), CInterfaceChoice::Mode::kAll);
  const CInterfaceChoice named(L" eth1 ,eth0,eth1");
  EXPECT_EQ(named.GetMode(), CInterfaceChoice::Mode::kNamed);
  EXPECT_EQ(named.GetNames(), (std::vector<std::wstring>{L"eth1", L"eth0"}));
}

TEST(CInterfaceChoice, ResolvesToInterfacesThatCanBroadcast) {
  std::vector<std::wstring> problems;
  EXPECT_TRUE(CInterfaceChoice(L"").Resolve(kMachine, problems).empty());
  // All: one way out per interface and subnet; never loopback, a VPN, a
  // card that is down or a /31 link.
  EXPECT_EQ(Broadcasts(CInterfaceChoice(L"all").Resolve(kMachine, problems)),
            (std::vector<std::wstring>{L"eth0 10.77.255.255", L"eth1 192.168.1.255"}));
  EXPECT_TRUE(problems.empty());
  EXPECT_EQ(Broadcasts(CInterfaceChoice(L"eth1").Resolve(kMachine, problems)),
            (std::vector<std::wstring>{L"eth1 192.168.1.255"}));
  EXPECT_EQ(CInterfaceChoice(L"eth1").Resolve(kMachine, problems).front().strAddress,
            L"192.168.1.5");
  EXPECT_TRUE(problems.empty());
}

TEST(CInterfaceChoice, UnusableNamesAreProblems) {
  std::vector<std::wstring> problems;
  const auto chosen = CInterfaceChoice(L"eth1,eth9,tun0,eth2,lo").Resolve(kMachine, problems);
  EXPECT_EQ(chosen.size(), 1u);
  ASSERT_EQ(problems.size(), 4u);
  EXPECT_EQ(problems[0], L"no IPv4 interface named 'eth9'");
  EXPECT_NE(problems[1].find(L"'tun0' cannot broadcast"), std::wstring::npos);
  problems.clear();
  CInterfaceChoice(L"all").Resolve({kMachine[0]}, problems);
  EXPECT_EQ(problems, std::vector<std::wstring>{L"no interface can broadcast"});
}
