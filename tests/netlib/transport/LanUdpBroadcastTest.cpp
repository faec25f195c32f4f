// Broadcasts inside the virtual LAN only: the suite skips itself anywhere else.
#include <corvane/CZqSocketComUdp.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr DWORD kPort = 15000;

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::wstring Wide(const std::string& text) { return std::wstring(text.begin(), text.end()); }

struct PipeCloser {
  void operator()(FILE* pipe) const { pclose(pipe); }
};
using Pipe = std::unique_ptr<FILE, PipeCloser>;

// A receiver on peer 1: prints "ready" once bound, then "<sender> <payload>"
// for the first datagram, or "none" after 5 s.
Pipe StartPeerReceiver() {
  const std::string command =
      "ip netns exec " + Env("VLAN_PEER1_NS") +
      " python3 -u -c 'import socket\n"
      "s=socket.socket(socket.AF_INET,socket.SOCK_DGRAM)\n"
      "s.bind((\"\",15000)); s.settimeout(5); print(\"ready\")\n"
      "try:\n d,a=s.recvfrom(2048); print(a[0], d.decode())\n"
      "except socket.timeout:\n print(\"none\")'";
  return Pipe(popen(command.c_str(), "r"));
}

std::string ReadLine(FILE* pipe) {
  char line[256] = {};
  if (std::fgets(line, sizeof line, pipe) == nullptr) return "";
  std::string text(line);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

class LanUdpBroadcast : public ::testing::TestWithParam<DWORD> {
 protected:
  void SetUp() override {
    if (Env("VLAN") != "1") GTEST_SKIP() << "needs the virtual LAN";
  }
};

TEST_P(LanUdpBroadcast, DiscoveryRequestReachesPeerAndHost) {
  CZqSocketComUdp receiver;  // the host itself sees its own broadcast
  ASSERT_EQ(receiver.InitSocketReceive(kPort), CZqSocketComUdp::kOk);
  Pipe peer = StartPeerReceiver();
  ASSERT_TRUE(peer);
  ASSERT_EQ(ReadLine(peer.get()), "ready");

  CZqSocketComUdp sender;
  ASSERT_EQ(sender.InitSocket(kPort, 0, GetParam()), CZqSocketComUdp::kOk);
  std::wstring local;
  DWORD port = 0;
  DWORD dwError = 0;
  ASSERT_EQ(sender.Send(std::wstring(L"<ZQ><0000>"), dwError), CZqSocketComUdp::kOk) << dwError;
  EXPECT_EQ(ReadLine(peer.get()), Env("VLAN_HOST_IP") + " <ZQ><0000>");

  BYTE buffer[64];
  DWORD received = 0, fromPort = 0;
  std::wstring from;
  EXPECT_EQ(receiver.Receive(buffer, 64, received, from, fromPort, 3000), CZqSocketComUdp::kOk);
  EXPECT_EQ(received, 10u);
  EXPECT_EQ(from, Wide(Env("VLAN_HOST_IP")));
  (void)local;
  (void)port;
}

// 1: limited broadcast 255.255.255.255; 0: the adapter's subnet-directed broadcast.
INSTANTIATE_TEST_SUITE_P(Modes, LanUdpBroadcast, ::testing::Values(1u, 0u));

}  // namespace
