// Adapter facts of the virtual LAN's host, whose address, mask, gateway and
// MAC are known. Runs only inside the virtual LAN (it changes interfaces).
#include <corvane/CCNetCardInfo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "VirtualLan.h"

namespace {

using VirtualLan::Env;

std::wstring Wide(const std::string& s) { return {s.begin(), s.end()}; }

std::wstring UpperMac(const std::string& mac) {
  std::wstring w = Wide(mac);
  std::transform(w.begin(), w.end(), w.begin(), [](wchar_t c) { return std::towupper(c); });
  return w;
}

bool Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()) == 0; }

// Undoes an interface change when the test ends, also on failure.
class Undo {
 public:
  explicit Undo(std::string command) : m_command(std::move(command)) {}
  ~Undo() { Shell(m_command); }
  Undo(const Undo&) = delete;
  Undo& operator=(const Undo&) = delete;

 private:
  std::string m_command;
};

class LanNetCard : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  }
};

TEST_F(LanNetCard, HostAdapterFactsAndASecondAddress) {
  CCNetCardInfo info;
  EXPECT_EQ(info.GetErrorMsg(), L"Success!");
  EXPECT_EQ(info.Get_m_dwNumOfCard(), 1u) << "loopback is not listed";
  EXPECT_EQ(info.GetNetCardIPAddress(0xFFFFFFFF), Wide(Env("VLAN_HOST_IP")));
  EXPECT_EQ(info.GetNetCardGateWay(0xFFFFFFFF), Wide(Env("VLAN_GATEWAY")));
  EXPECT_EQ(info.GetNetCardMACAddress(0xFFFFFFFF), UpperMac(Env("VLAN_HOST_MAC")));
  EXPECT_EQ(info.GetNetCardDeviceName(0xFFFFFFFF), Wide(Env("VLAN_IFACE")));
  EXPECT_EQ(info.GetNetCardType(0xFFFFFFFF), L"6");
  EXPECT_EQ(info.GetNetCardWINS(0xFFFFFFFF), L"N/A");
  EXPECT_EQ(info.GetDHCPServer(0xFFFFFFFF), L"N/A");

  const std::string dev = Env("VLAN_IFACE");
  ASSERT_TRUE(Shell("ip addr add 10.77.0.50/24 dev " + dev));
  Undo undo("ip addr del 10.77.0.50/24 dev " + dev);
  CCNetCardInfo two;
  EXPECT_EQ(two.GetNetCardIPAddress(0), Wide(Env("VLAN_HOST_IP")) + L"\r\n10.77.0.50");
  EXPECT_EQ(two.GetNetCardSubnetMask(0), Wide(Env("VLAN_MASK")));
  wchar_t own[64] = {};
  ASSERT_NE(two.GetLocalAddress(own, 64), 0);
  EXPECT_EQ(std::wstring(own), Wide(Env("VLAN_HOST_IP")));
}

TEST_F(LanNetCard, DefaultCardIsTheOneWithTheDefaultRoute) {
  // A second adapter (one end of a veth pair; the other end has no IPv4).
  if (!Shell("ip link add lmtest0 type veth peer name lmtest1")) GTEST_SKIP() << "no veth here";
  Undo undo("ip link del lmtest0");
  ASSERT_TRUE(Shell("ip addr add 192.0.2.7/24 dev lmtest0"));
  ASSERT_TRUE(Shell("ip link set lmtest0 up"));
  CCNetCardInfo info;
  ASSERT_EQ(info.Get_m_dwNumOfCard(), 2u);
  const DWORD def = info.Get_m_dwDefaultCardNum();
  EXPECT_EQ(info.GetNetCardDeviceName(def), Wide(Env("VLAN_IFACE")));
  EXPECT_EQ(info.GetNetCardIPAddress(0xFFFFFFFF), Wide(Env("VLAN_HOST_IP")));
  const DWORD other = 1 - def;
  EXPECT_EQ(info.GetNetCardIPAddress(other), L"192.0.2.7");
  EXPECT_EQ(info.GetNetCardGateWay(other), L"0.0.0.0");

  // Move the default route over: the default card follows it.
  const std::string restore = "ip route replace default via " + Env("VLAN_GATEWAY") + " dev " +
                              Env("VLAN_IFACE");
  ASSERT_TRUE(Shell("ip route replace default via 192.0.2.1 dev lmtest0"));
  Undo undoRoute(restore);
  CCNetCardInfo moved;
  EXPECT_EQ(moved.GetNetCardIPAddress(0xFFFFFFFF), L"192.0.2.7");
  EXPECT_EQ(moved.GetNetCardGateWay(0xFFFFFFFF), L"192.0.2.1");
  EXPECT_EQ(moved.GetNetCardGateWay(def), L"0.0.0.0");
}

}  // namespace
