#include <corvane/CCSock.h>
#include <corvane/CZqSocketComUdp.h>
#include <corvane/CorvaneErrors.h>
#include <gtest/gtest.h>

#include <future>
#include <string>
#include <vector>

#include "LoopbackPeers.h"
#include "transport/BroadcastAddress.h"

namespace {

namespace error = corvane::error;
using transport_test::kLoopback;
using transport_test::Stopwatch;

constexpr DWORD kNothing = CZqSocketComUdp::kNothingReceived;

// A receiving endpoint on a free port and a sending endpoint aimed at it.
// Sends go to 127.0.0.1 through the host overloads only.
class UdpTransport : public ::testing::Test {
 protected:
  void SetUp() override {
    port = transport_test::DatagramEnd().port;  // nobody is bound to it now
    ASSERT_EQ(receiver.InitSocketReceive(port), CZqSocketComUdp::kOk);
    ASSERT_EQ(sender.InitSocket(port, 0, 0), CZqSocketComUdp::kOk);
  }

  DWORD ReceiveInto(std::vector<BYTE>& buffer, DWORD dwTimeout) {
    return receiver.Receive(buffer.data(), static_cast<DWORD>(buffer.size()), received, from,
                            fromPort, lastError, dwTimeout);
  }

  UINT port = 0;
  CZqSocketComUdp receiver, sender;
  DWORD received = 0, fromPort = 0, lastError = 0;
  std::wstring from;
};

TEST_F(UdpTransport, DeliversTheDatagramWithItsSender) {
  transport_test::DatagramEnd raw;  // a sender whose port is known
  ASSERT_EQ(raw.sock.SendTo("<ZQ><0000>", 10, port, kLoopback), 10);
  std::vector<BYTE> buffer(1024);
  const Stopwatch watch;  // a datagram on its way ends the wait, not the time-out
  EXPECT_EQ(ReceiveInto(buffer, 10000), CZqSocketComUdp::kOk);
  EXPECT_LT(watch.ElapsedMs(), 1000);
  EXPECT_EQ(received, 10u);
  EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 10), "<ZQ><0000>");
  EXPECT_EQ(from, kLoopback);
  EXPECT_EQ(fromPort, raw.port);
}

// The time-out given, or with 0 the endpoint's receive time-out.
TEST_F(UdpTransport, NothingInTimeGivesOkWithNothingReceived) {
  receiver.SetNetCommTimeouts(0, 250, 0);
  for (DWORD timeout : {300u, 0u}) {
    std::vector<BYTE> buffer(1024);
    from = L"stale";
    const Stopwatch watch;
    EXPECT_EQ(ReceiveInto(buffer, timeout), CZqSocketComUdp::kOk);
    EXPECT_EQ(received, kNothing);
    EXPECT_EQ(lastError, error::kTimedOut);
    EXPECT_TRUE(from.empty());
    EXPECT_GE(watch.ElapsedMs(), timeout == 0 ? 250 : 300);
    EXPECT_LT(watch.ElapsedMs(), 3000);
  }
}

// The defaults flag brings back the 10-s receive time-out, whatever the
// arguments and earlier settings: a datagram sent 6 s into a receive with
// time-out 0 is still awaited (5000, the send default, would have ended it).
TEST_F(UdpTransport, DefaultsFlagRestoresTheTenSecondReceiveWait) {
  receiver.SetNetCommTimeouts(0, 250, 0);
  receiver.SetNetCommTimeouts(100, 100, 1);
  std::promise<void> done;
  auto late = std::async(std::launch::async, [&, ended = done.get_future()] {
    ended.wait_for(std::chrono::seconds(6));  // cut short when the receive gave up early
    return sender.Send(std::wstring(L"late"), kLoopback);
  });
  std::vector<BYTE> buffer(64);
  EXPECT_EQ(ReceiveInto(buffer, 0), CZqSocketComUdp::kOk);
  done.set_value();
  EXPECT_EQ(late.get(), CZqSocketComUdp::kOk);
  EXPECT_EQ(received, 4u);
}

TEST_F(UdpTransport, EmptyDatagramGivesZeroBytesResult) {
  ASSERT_EQ(sender.Send(nullptr, 0, kLoopback), CZqSocketComUdp::kOk);
  ASSERT_EQ(sender.Send(std::wstring(), kLoopback), CZqSocketComUdp::kOk);
  std::vector<BYTE> buffer(64);
  EXPECT_EQ(ReceiveInto(buffer, 2000), CZqSocketComUdp::kZeroBytes);
  EXPECT_EQ(received, 0u);
  EXPECT_EQ(from, kLoopback);
  BYTE fixed[65535];
  EXPECT_EQ(receiver.Receive(fixed, received, from, fromPort, 2000), CZqSocketComUdp::kZeroBytes);
}

TEST_F(UdpTransport, OversizedDatagramGivesTooLargeAndIsConsumed) {
  const std::vector<BYTE> big(2000, 0x5A);
  ASSERT_EQ(sender.Send(big.data(), 2000, kLoopback), CZqSocketComUdp::kOk);
  ASSERT_EQ(sender.Send(std::wstring(L"after"), kLoopback), CZqSocketComUdp::kOk);
  std::vector<BYTE> buffer(1024);
  EXPECT_EQ(ReceiveInto(buffer, 2000), CZqSocketComUdp::kDatagramTooLarge);
  EXPECT_EQ(received, 0u);
  EXPECT_EQ(lastError, error::kMessageSize);
  EXPECT_EQ(ReceiveInto(buffer, 2000), CZqSocketComUdp::kOk);
  EXPECT_EQ(received, 5u);
}

TEST_F(UdpTransport, LongestTextIsSentInDatagramsAndOneMoreCharacterIsRefused) {
  std::wstring text(65534, L'q');
  for (std::size_t i = 0; i < text.size(); ++i) text[i] = static_cast<wchar_t>(0x100 + i % 251);
  ASSERT_EQ(sender.Send(text, kLoopback), CZqSocketComUdp::kOk);
  EXPECT_EQ(sender.Send(text + L"!", kLoopback), CZqSocketComUdp::kMessageTooLong);
  // Over IPv4 a datagram carries at most 65507 bytes: the text comes in two,
  // in order, each character as its low byte.
  std::vector<BYTE> joined, buffer(65535);
  for (DWORD expected : {65507u, 65534u - 65507u}) {
    ASSERT_EQ(ReceiveInto(buffer, 2000), CZqSocketComUdp::kOk);
    ASSERT_EQ(received, expected);
    joined.insert(joined.end(), buffer.begin(), buffer.begin() + received);
  }
  for (std::size_t i = 0; i < joined.size(); ++i) ASSERT_EQ(joined[i], (i % 251) & 0xFF) << i;
  // The refused text sent nothing.
  EXPECT_EQ(ReceiveInto(buffer, 200), CZqSocketComUdp::kOk);
  EXPECT_EQ(received, kNothing);
}

TEST_F(UdpTransport, InvalidSendsAreRefused) {
  CZqSocketComUdp unopened;
  EXPECT_EQ(unopened.Send(std::wstring(L"x"), kLoopback), CZqSocketComUdp::kNotSentWhole);
  EXPECT_EQ(sender.Send(static_cast<const BYTE*>(nullptr), 5, kLoopback),
            CZqSocketComUdp::kNotSentWhole);
  const BYTE byte = 1;
  EXPECT_EQ(sender.Send(&byte, -1, kLoopback), CZqSocketComUdp::kNotSentWhole);
  // An unresolvable host; empty, so that no name server is asked.
  EXPECT_EQ(sender.Send(&byte, 1, L""), CZqSocketComUdp::kNotSentWhole);
}

TEST_F(UdpTransport, PortInUseFailsToOpen) {
  CZqSocketComUdp second;
  DWORD dwError = 0;
  EXPECT_EQ(second.InitSocketReceive(port, dwError, 0), CZqSocketComUdp::kCreateFailed);
  EXPECT_EQ(dwError, error::kAddressInUse);
  // Once closed, the port is free again, promptly.
  const Stopwatch watch;
  receiver.Close();
  EXPECT_LT(watch.ElapsedMs(), 1000);
  EXPECT_EQ(second.InitSocketReceive(port, dwError, 0), CZqSocketComUdp::kOk);
  EXPECT_EQ(dwError, 0u);
}

TEST_F(UdpTransport, ReceiveWhileAnotherReceiveWaitsGivesInProgress) {
  std::promise<void> starting;
  auto first = std::async(std::launch::async, [&] {
    std::vector<BYTE> buffer(64);
    DWORD count = 0, senderPort = 0, dwError = 0;
    std::wstring senderAddress;
    starting.set_value();
    // Should the probe below win the race, this receive is the refused one: retry.
    const Stopwatch watch;
    do {
      receiver.Receive(buffer.data(), 64, count, senderAddress, senderPort, dwError, 5000);
    } while (dwError == error::kInProgress && watch.ElapsedMs() < 3000);
    return count;
  });
  starting.get_future().wait();
  // Until the first receive has begun waiting, a probe simply times out.
  std::vector<BYTE> buffer(64);
  DWORD result = 0;
  const Stopwatch watch;
  do {
    result = ReceiveInto(buffer, 20);
  } while (lastError != error::kInProgress && watch.ElapsedMs() < 3000);
  EXPECT_EQ(result, CZqSocketComUdp::kZeroBytes);
  EXPECT_EQ(lastError, error::kInProgress);
  EXPECT_EQ(received, 0u);
  // The refused receive took nothing from the waiting one.
  ASSERT_EQ(sender.Send(std::wstring(L"wake"), kLoopback), CZqSocketComUdp::kOk);
  EXPECT_EQ(first.get(), 4u);
}

TEST(SubnetBroadcast, SetsAllHostBitsOfTheAdapterAddress) {
  using corvane::detail::DirectedBroadcast;
  EXPECT_EQ(DirectedBroadcast(L"192.168.10.37", L"255.255.255.0"), L"192.168.10.255");
  EXPECT_EQ(DirectedBroadcast(L"10.77.0.2", L"255.255.0.0"), L"10.77.255.255");
  EXPECT_EQ(DirectedBroadcast(L"172.16.5.9", L"255.255.255.252"), L"172.16.5.11");
  EXPECT_EQ(DirectedBroadcast(L"", L""), L"255.255.255.255");
}

}  // namespace
