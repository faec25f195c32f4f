#include <corvane/CCSock.h>
#include <corvane/CorvaneErrors.h>
#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <thread>
#include <vector>

#include "LoopbackPeers.h"

namespace {

namespace error = corvane::error;
using transport_test::DatagramEnd;
using transport_test::kLoopback;
using transport_test::LoopbackPeer;
using transport_test::Stopwatch;

TEST(CCSock, DatagramReceiveTimesOutThenReportsAndConsumesAnOversizedOne) {
  DatagramEnd receiver, sender;
  receiver.sock.Set_m_dwTimeoutReceiveFrom(300);
  std::vector<char> buffer(1024, 0);
  std::wstring from;
  UINT port = 0;
  const Stopwatch watch;
  EXPECT_EQ(receiver.sock.ReceiveFrom(buffer.data(), 1024, from, port), -1);
  EXPECT_EQ(CCSock::GetLastError(), error::kTimedOut);
  EXPECT_GE(watch.ElapsedMs(), 300);
  EXPECT_LT(watch.ElapsedMs(), 3000);

  const std::vector<char> big(2000, 'x');
  ASSERT_EQ(sender.sock.SendTo(big.data(), 2000, receiver.port, kLoopback), 2000);
  ASSERT_EQ(sender.sock.SendTo("next", 4, receiver.port, kLoopback), 4);
  receiver.sock.Set_m_dwTimeoutReceiveFrom(2000);
  EXPECT_EQ(receiver.sock.ReceiveFrom(buffer.data(), 1024, from, port), -1);
  EXPECT_EQ(CCSock::GetLastError(), error::kMessageSize);
  EXPECT_EQ(buffer[1023], 'x');
  EXPECT_EQ(receiver.sock.ReceiveFrom(buffer.data(), 1024, from, port), 4);
}

TEST(CCSock, ReceiveWhileAnotherReceiveWaitsIsRefused) {
  DatagramEnd receiver, sender;
  receiver.sock.Set_m_dwTimeoutReceiveFrom(5000);
  auto first = std::async(std::launch::async, [&] {
    char buffer[16];
    std::wstring from;
    UINT port = 0;
    return receiver.sock.ReceiveFrom(buffer, sizeof buffer, from, port);
  });
  // The first receive marks the socket busy as soon as it starts.
  const Stopwatch watch;
  while (!receiver.sock.IsBlocking() && watch.ElapsedMs() < 2000) std::this_thread::yield();
  ASSERT_TRUE(receiver.sock.IsBlocking());
  char buffer[16];
  std::wstring from;
  UINT port = 0;
  EXPECT_EQ(receiver.sock.ReceiveFrom(buffer, sizeof buffer, from, port), 0);
  EXPECT_EQ(CCSock::GetLastError(), error::kInProgress);
  // The refused call took nothing: the waiting one gets the datagram.
  ASSERT_EQ(sender.sock.SendTo("wake", 4, receiver.port, kLoopback), 4);
  EXPECT_EQ(first.get(), 4);
  EXPECT_FALSE(receiver.sock.IsBlocking());
}

TEST(CCSock, ConnectWithoutAnswerGivesUpAfterItsTimeout) {
  // With its accept queue full, a listener drops further connection requests.
  LoopbackPeer listener(0);
  std::vector<std::unique_ptr<CCSock>> clients;
  bool timedOut = false;
  for (int i = 0; i < 8 && !timedOut; ++i) {
    auto client = std::make_unique<CCSock>();
    ASSERT_TRUE(client->Create(0, CCSock::kStream));
    client->Set_m_dwTimeoutConnection(300);
    const Stopwatch watch;
    if (!client->Connect(kLoopback, listener.port)) {
      EXPECT_EQ(CCSock::GetLastError(), error::kTimedOut);
      EXPECT_GE(watch.ElapsedMs(), 300);
      EXPECT_LT(watch.ElapsedMs(), 3000);
      timedOut = true;
    }
    clients.push_back(std::move(client));
  }
  EXPECT_TRUE(timedOut);
}

TEST(CCSock, PeerCloseGivesZeroThenSendsFailWithoutSignal) {
  LoopbackPeer peer;
  CCSock client;
  ASSERT_TRUE(client.Create(0, CCSock::kStream));
  client.Set_m_dwTimeoutConnection(2000);
  ASSERT_TRUE(client.Connect(kLoopback, peer.port));
  EXPECT_EQ(client.m_bClosed, 0);
  peer.Accept();
  peer.CloseConnection();
  client.Set_m_dwTimeoutRead(2000);
  char buffer[16];
  EXPECT_EQ(client.Receive(buffer, sizeof buffer), 0);
  EXPECT_EQ(client.m_bClosed, 1);
  const std::vector<char> data(1 << 16, 'z');
  int result = 0;
  // The first send may still be taken; a later one meets the reset.
  for (int i = 0; i < 50 && result >= 0; ++i) result = client.Send(data.data(), 1 << 16);
  EXPECT_EQ(result, -1);
}

}  // namespace
