// Broadcasts inside the virtual LAN only: the suite skips itself anywhere else.
#include <corvane/CZqSocketComUdp.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "VirtualLan.h"

namespace {

using namespace std::chrono_literals;
using VirtualLan::Env;

constexpr DWORD kPort = 15000;

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

// A receiver on peer 1: prints "ready" once bound, then
// "<sender> <destination> <payload>" for the first datagram, or "none" after 5 s.
// (8 is IP_PKTINFO: the ancillary data carries the header's destination.)
std::unique_ptr<ChildRun> StartPeerReceiver() {
  return std::make_unique<ChildRun>(std::vector<std::string>{
      "ip", "netns", "exec", Env("VLAN_PEER1_NS"), "python3", "-u", "-c",
      "import socket\n"
      "s=socket.socket(socket.AF_INET,socket.SOCK_DGRAM)\n"
      "s.setsockopt(socket.IPPROTO_IP,8,1)\n"
      "s.bind((\"\",15000)); s.settimeout(5); print(\"ready\")\n"
      "try:\n d,c,f,a=s.recvmsg(2048,64)\n"
      " print(a[0], socket.inet_ntoa(c[0][2][8:12]), d.decode())\n"
      "except socket.timeout:\n print(\"none\")"});
}

class LanUdpBroadcast : public ::testing::TestWithParam<DWORD> {
 protected:
  void SetUp() override {
    if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  }
};

TEST_P(LanUdpBroadcast, DiscoveryRequestReachesPeerAndHost) {
  CZqSocketComUdp receiver;  // the host itself sees its own broadcast
  ASSERT_EQ(receiver.InitSocketReceive(kPort), CZqSocketComUdp::kOk);
  auto peer = StartPeerReceiver();
  ASSERT_TRUE(peer->WaitForOutput("ready\n", 10s)) << peer->Err();

  CZqSocketComUdp sender;
  ASSERT_EQ(sender.InitSocket(kPort, 0, GetParam()), CZqSocketComUdp::kOk);
  std::wstring local;
  DWORD port = 0;
  ASSERT_EQ(sender.Send(std::wstring(L"<ZQ><0000>"), local, port), CZqSocketComUdp::kOk);
  EXPECT_EQ(local, Wide(Env("VLAN_HOST_IP")));
  EXPECT_EQ(port, kPort);
  const std::string destination = GetParam() != 0 ? "255.255.255.255" : Env("VLAN_BROADCAST");
  ASSERT_EQ(peer->Wait(10s), 0) << peer->Err();
  EXPECT_EQ(peer->Out(), "ready\n" + Env("VLAN_HOST_IP") + " " + destination + " <ZQ><0000>\n");

  BYTE buffer[64];
  DWORD received = 0, fromPort = 0;
  std::wstring from;
  EXPECT_EQ(receiver.Receive(buffer, 64, received, from, fromPort, 3000), CZqSocketComUdp::kOk);
  EXPECT_EQ(received, 10u);
  EXPECT_EQ(from, Wide(Env("VLAN_HOST_IP")));
}

// 1: limited broadcast 255.255.255.255; 0: the adapter's subnet-directed broadcast.
INSTANTIATE_TEST_SUITE_P(LanModes, LanUdpBroadcast, ::testing::Values(1u, 0u));

}  // namespace
