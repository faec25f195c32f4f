// The message server against plain TCP peers, to see its bytes. Real
// clients meet it in ClientTest.
#include <gtest/gtest.h>

#include "Peers.h"
#include "WireBytes.h"
#include "messaging/TickCount.h"

using namespace corvane::testing;

namespace {

using Disconnection = std::pair<std::int32_t, CorvaneServerDisconnection>;

class ServerTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server.StartListening(0)); }
  void TearDown() override { corvane::detail::SetTickCountSource({}); }

  // Connects n raw peers and waits until the server has them all.
  void ConnectPeers(std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
      peers.push_back(RawPeer::Connect(loop, server.GetPort()));
      ASSERT_NE(peers.back(), nullptr);
      std::size_t want = server.connected.size() + 1;
      ASSERT_TRUE(loop.RunUntil([&] { return server.connected.size() == want; }, kWaitMs));
    }
  }
  bool WaitForDisconnections(std::size_t n) {
    return loop.RunUntil([&] { return server.disconnections.size() >= n; }, kWaitMs);
  }

  CCorvanePollLoop loop;
  RecordingServer server;
  std::vector<std::unique_ptr<RawPeer>> peers;
};

TEST_F(ServerTest, IdsCountUpAndAreNeverReused) {
  server.accept = false;  // a refused connection uses no id
  auto refused = RawPeer::Connect(loop, server.GetPort());
  ASSERT_TRUE(refused->WaitForEnd());
  EXPECT_TRUE(server.connected.empty());
  server.accept = true;
  ConnectPeers(3);
  EXPECT_EQ(server.connected, (std::vector<std::int32_t>{1, 2, 3}));
  ASSERT_TRUE(server.DisconnectUser(2));
  ConnectPeers(1);
  std::vector<std::int32_t> ids = {99};
  server.GetUserIds(ids);
  EXPECT_EQ(ids, (std::vector<std::int32_t>{1, 3, 4}));
  EXPECT_EQ(server.GetNbUsers(), 3);
}

TEST_F(ServerTest, RemovedUsersGetMinusFiveAndTheirReasonIsAnnounced) {
  ConnectPeers(2);
  EXPECT_NE(server.DisconnectUser(1), 0);
  ASSERT_TRUE(peers[1]->Send(kClosing));
  ASSERT_TRUE(WaitForDisconnections(2));
  EXPECT_EQ(server.disconnections,
            (std::vector<Disconnection>{{1, CSD_DISCONNECTED_BY_SERVER}, {2, CSD_CLOSED_BY_USER}}));
  for (auto& peer : peers) {
    ASSERT_TRUE(peer->WaitForEnd());
    EXPECT_EQ(peer->received, kDisconnects);
  }
  EXPECT_EQ(server.GetNbUsers(), 0);
  EXPECT_EQ(server.DisconnectUser(1), 0);  // gone: the send fails
  EXPECT_EQ(server.disconnections.back(), Disconnection(1, CSD_SEND_FAILED));
}

TEST_F(ServerTest, StopTellsEveryUserAndNotifiesNothing) {
  ConnectPeers(2);
  const std::int32_t port = server.GetPort();
  EXPECT_EQ(server.StartListening(0), 0);  // already started: nothing changes
  EXPECT_EQ(server.GetPort(), port);
  server.Stop();
  EXPECT_FALSE(server.IsStarted());
  EXPECT_EQ(server.GetPort(), -1);
  EXPECT_EQ(server.GetNbUsers(), 0);
  for (auto& peer : peers) {
    ASSERT_TRUE(peer->WaitForEnd());
    EXPECT_EQ(peer->received, Concat({kStopping, kDisconnects}));
  }
  EXPECT_TRUE(server.disconnections.empty());
  // Ids go on after a restart.
  ASSERT_TRUE(server.StartListening(0));
  ConnectPeers(1);
  EXPECT_EQ(server.connected.back(), 3);
}

TEST_F(ServerTest, SomeAllAndAllButOneUsersAreReached) {
  ConnectPeers(3);
  CCorvaneMessage msg(8);
  EXPECT_EQ(server.SendMessageToSomeUsers({3, 77, 1, 78}, msg), 1);
  // Unknown ids fail one by one and leave every user connected.
  EXPECT_EQ(server.disconnections, (std::vector<Disconnection>{{77, CSD_SEND_FAILED}, {78, CSD_SEND_FAILED}}));
  EXPECT_EQ(server.GetNbUsers(), 3);
  EXPECT_EQ(server.PingUser(42), 0);
  ASSERT_TRUE(peers[2]->WaitForBytes(8));
  ASSERT_TRUE(peers[0]->WaitForBytes(8));
  loop.RunFor(20);
  EXPECT_TRUE(peers[1]->received.empty());
  EXPECT_EQ(peers[0]->received, ToBytes(msg));

  EXPECT_NE(server.SendMessageToAllUsersExceptFor(1, msg), 0);
  ASSERT_TRUE(peers[1]->WaitForBytes(8));
  ASSERT_TRUE(peers[2]->WaitForBytes(16));
  loop.RunFor(20);
  EXPECT_EQ(peers[0]->received.size(), 8u);
  EXPECT_NE(server.SendMessageToAllUsers(msg), 0);
  ASSERT_TRUE(peers[0]->WaitForBytes(16));

  // A message larger than any receiver takes is refused; nobody is dropped.
  CCorvaneMessage big(1);
  big.Add(std::wstring(CCorvaneMessage::kMaxWireSize / 2, L'x'));
  EXPECT_EQ(server.SendMessageToUser(1, big), 0);
  EXPECT_EQ(server.SendMessageToAllUsers(big), 0);
  EXPECT_EQ(server.disconnections.size(), 3u);  // only the unknown ids and the ping to 42
  EXPECT_EQ(server.GetNbUsers(), 3);
}

// A peer that closes with unread bytes resets the connection, so the
// server's next write to it fails.
TEST_F(ServerTest, FailedWritesRemoveTheUsersThenAnnounceThem) {
  ConnectPeers(1);
  int error = 0;
  auto silent = corvane::platform::TcpStreamSocket::Connect(L"127.0.0.1", server.GetPort(), 3000, error);
  ASSERT_TRUE(loop.RunUntil([&] { return server.connected.size() == 2; }, kWaitMs));
  CCorvaneMessage msg(12);
  ASSERT_TRUE(server.SendMessageToUser(2, msg));
  silent.reset();  // unread bytes: the connection is reset
  BOOL all = 1;
  for (int i = 0; i < 3 && all; ++i) all = server.SendMessageToAllUsers(msg);
  EXPECT_EQ(all, 0);
  EXPECT_EQ(server.disconnections, (std::vector<Disconnection>{{2, CSD_SEND_FAILED}}));
  EXPECT_EQ(server.GetNbUsers(), 1);
  ASSERT_TRUE(peers[0]->WaitForBytes(8));
}

// A message far larger than the kernel's socket buffers, for a user who is
// not reading at the moment: the send returns at once, the rest goes out as
// the user reads, and others are served meanwhile. A user who leaves more
// than MessageStream::kPendingLimit untaken is removed on the next send.
CCorvaneMessage HugeMessage() {
  CCorvaneMessage big(7);
  const std::vector<BYTE> bytes(30u << 20, 0x5A);
  big.Add(bytes.data(), static_cast<UINT>(bytes.size()));
  return big;
}

TEST_F(ServerTest, UserNotReadingHoldsUpNobodyAndGetsEverythingLater) {
  ConnectPeers(2);
  CCorvaneMessage big = HugeMessage(), small(8);
  EXPECT_EQ(server.SendMessageToUser(1, big), 1);
  EXPECT_EQ(server.SendMessageToUser(2, small), 1);
  ASSERT_TRUE(peers[1]->WaitForBytes(8));
  ASSERT_TRUE(loop.RunUntil([&] { return peers[0]->received.size() >= (30u << 20) + 13; }, 30000));
  EXPECT_EQ(peers[0]->received.size(), (30u << 20) + 13);
  EXPECT_EQ(peers[0]->received.back(), 0x5A);
  EXPECT_TRUE(server.disconnections.empty());
}

TEST_F(ServerTest, UserLeavingTooMuchUntakenIsRemovedOnTheNextSend) {
  ConnectPeers(2);
  peers[0]->StopReading();
  CCorvaneMessage big = HugeMessage(), small(8);
  ASSERT_EQ(server.SendMessageToUser(1, big), 1);
  EXPECT_EQ(server.SendMessageToUser(1, small), 0);
  EXPECT_EQ(server.disconnections, (std::vector<Disconnection>{{1, CSD_SEND_FAILED}}));
  EXPECT_EQ(server.SendMessageToUser(2, small), 1);
  EXPECT_TRUE(peers[1]->WaitForBytes(8));
}

TEST_F(ServerTest, PingsBothWays) {
  ConnectPeers(1);
  // A client's ping comes back unchanged.
  CCorvaneMessage clientPing(-2);
  clientPing.Add(5l);
  ASSERT_TRUE(peers[0]->Send(ToBytes(clientPing)));
  ASSERT_TRUE(peers[0]->WaitForBytes(17));
  EXPECT_EQ(peers[0]->received, ToBytes(clientPing));
  // The server's own ping, answered, yields the elapsed time across a wrap.
  DWORD now = 0xFFFFFFFFu;
  corvane::detail::SetTickCountSource([&] { return now; });
  peers[0]->received.clear();
  ASSERT_TRUE(server.PingUser(1));
  ASSERT_TRUE(peers[0]->WaitForBytes(17));
  Bytes expected = {0xFD, 0xFF, 0xFF, 0xFF, 1, 0, 0, 0, 7, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  EXPECT_EQ(peers[0]->received, expected);
  now = 4;
  ASSERT_TRUE(peers[0]->Send(peers[0]->received));
  ASSERT_TRUE(loop.RunUntil([&] { return !server.pings.empty(); }, kWaitMs));
  EXPECT_EQ(server.pings, (std::vector<std::pair<std::int32_t, std::int32_t>>{{1, 5}}));
  EXPECT_TRUE(server.received.empty());
}

TEST_F(ServerTest, BatchIsDispatchedEvenAfterTheSenderIsRemoved) {
  ConnectPeers(2);
  server.onMessage = [&](std::int32_t id, CCorvaneMessage& msg) {
    if (msg.GetId() == 100) server.DisconnectUser(id);
  };
  CCorvaneMessage first(100), second(101), third(-5);
  ASSERT_TRUE(peers[0]->Send(Concat({ToBytes(first), ToBytes(second), ToBytes(third)})));
  ASSERT_TRUE(loop.RunUntil([&] { return server.received.size() == 3; }, kWaitMs));
  EXPECT_EQ(server.received[1].second.GetId(), 101);
  EXPECT_EQ(server.received[2].second.GetId(), -5);  // control ids of the server go to the application
  EXPECT_EQ(server.disconnections, (std::vector<Disconnection>{{1, CSD_DISCONNECTED_BY_SERVER}}));
  EXPECT_EQ(server.GetNbUsers(), 1);
}

TEST_F(ServerTest, BadInputEndsTheUserAsReceiveFailure) {
  struct Case {
    const char* name;
    Bytes bytes;
    bool closeAfter;
  };
  const Case cases[] = {
      // A whole message before the abrupt close is still handled.
      {"dropped without control message", ToBytes(CCorvaneMessage(77)), true},
      {"stream stops mid-message", {1, 0, 0, 0, 1, 0, 0, 0, 0x07, 1}, true},
      // Every limit the framer judges: MessageFraming.
      {"count beyond the limit", {1, 0, 0, 0, 0, 0, 0x20, 0, 0}, false},
  };
  std::size_t n = 0;
  for (const Case& c : cases) {
    ConnectPeers(1);
    std::int32_t id = server.connected.back();
    RawPeer& peer = *peers.back();
    ASSERT_TRUE(peer.Send(c.bytes)) << c.name;
    if (c.closeAfter) peer.Close();
    ASSERT_TRUE(WaitForDisconnections(++n)) << c.name;
    EXPECT_EQ(server.disconnections.back(), Disconnection(id, CSD_RECEIVE_FAILED)) << c.name;
    EXPECT_EQ(server.GetNbUsers(), 0) << c.name;
  }
  ASSERT_EQ(server.received.size(), 1u);
  EXPECT_EQ(server.received[0].second.GetId(), 77);
}

}  // namespace
