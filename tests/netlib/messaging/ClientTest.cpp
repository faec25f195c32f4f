// The message client against a plain TCP peer that plays the server, byte
// for byte, and against the real server for reconnection.
#include <gtest/gtest.h>

#include "Peers.h"
#include "WireBytes.h"
#include "messaging/TickCount.h"

using namespace corvane::testing;

namespace {

Bytes Message(std::int32_t id, int value) {
  CCorvaneMessage msg(id);
  msg.Add(value);
  return ToBytes(msg);
}

class ClientTest : public ::testing::Test {
 protected:
  void SetUp() override { ReconnectIfClosed(); }
  void TearDown() override { corvane::detail::SetTickCountSource({}); }
  bool WaitForDisconnection() {
    return loop.RunUntil([&] { return !client.disconnections.empty(); }, kWaitMs);
  }
  // Connects, or connects anew once the previous connection has ended.
  void ReconnectIfClosed() {
    if (client.IsConnected()) return;
    const std::size_t before = listener.peers.size();
    ASSERT_TRUE(client.OpenConnection(L"127.0.0.1", listener.port));
    ASSERT_TRUE(loop.RunUntil([&] { return listener.peers.size() > before; }, kWaitMs));
    server = listener.peers.back().get();
  }
  bool WaitForMessages(std::size_t n) {
    return loop.RunUntil([&] { return client.received.size() >= n; }, kWaitMs);
  }

  CCorvanePollLoop loop;
  RawListener listener{loop};
  RecordingClient client;
  RawPeer* server = nullptr;
};

TEST_F(ClientTest, PingsBothWays) {
  DWORD now = 0xFFFFFFF0u;
  corvane::detail::SetTickCountSource([&] { return now; });
  ASSERT_TRUE(client.PingServer());
  ASSERT_TRUE(server->WaitForBytes(17));
  Bytes expected = {0xFE, 0xFF, 0xFF, 0xFF, 0x01, 0, 0, 0, 0x07, 0xF0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0};
  EXPECT_EQ(server->received, expected);
  // Echoed back after the tick counter wrapped: the elapsed time is right.
  now = 0x10;
  ASSERT_TRUE(server->Send(server->received));
  ASSERT_TRUE(loop.RunUntil([&] { return !client.pings.empty(); }, kWaitMs));
  EXPECT_EQ(client.pings, std::vector<std::int32_t>{0x20});
  // The server's ping goes back unchanged, not to the application.
  CCorvaneMessage ping(-3);
  ping.Add(123456l);
  server->received.clear();
  ASSERT_TRUE(server->Send(ToBytes(ping)));
  ASSERT_TRUE(server->WaitForBytes(17));
  EXPECT_EQ(server->received, ToBytes(ping));
  EXPECT_TRUE(client.received.empty());
}

TEST_F(ClientTest, CloseWritesTheClosingMessageAndNotifiesOnce) {
  std::wstring ip;
  std::int32_t port = 0;
  ASSERT_NE(client.GetIpAndPort(ip, port), 0);
  EXPECT_EQ(ip, L"127.0.0.1");
  EXPECT_NE(port, listener.port);
  client.CloseConnection();
  EXPECT_FALSE(client.IsConnected());
  ASSERT_TRUE(server->WaitForEnd());
  EXPECT_EQ(server->received, kClosing);
  ASSERT_EQ(client.disconnections.size(), 1u);
  EXPECT_EQ(client.disconnections[0], CCD_CLOSED_BY_CLIENT);

  // A closed client sends nothing and tells nothing.
  CCorvaneMessage msg(1);
  EXPECT_EQ(client.SendMessageToServer(msg), 0);
  EXPECT_EQ(client.PingServer(), 0);
  client.CloseConnection();
  EXPECT_EQ(client.disconnections.size(), 1u);
  ip = L"untouched";
  EXPECT_EQ(client.GetIpAndPort(ip, port), 0);
  EXPECT_EQ(ip, L"untouched");
}

TEST_F(ClientTest, ServerControlMessagesCloseWithTheirReason) {
  struct Case {
    Bytes bytes;
    CorvaneClientDisconnection reason;
  };
  const Case cases[] = {{kDisconnects, CCD_DISCONNECTED_BY_SERVER},
                        {kStopping, CCD_SERVER_STOPPED}};
  for (const Case& c : cases) {
    client.disconnections.clear();
    ReconnectIfClosed();
    // A message behind the control message in the same segment is not read.
    ASSERT_TRUE(server->Send(Concat({c.bytes, Message(5, 1)})));
    ASSERT_TRUE(WaitForDisconnection());
    EXPECT_FALSE(client.IsConnected());
    loop.RunFor(20);
    ASSERT_EQ(client.disconnections.size(), 1u);
    EXPECT_EQ(client.disconnections[0], c.reason);
    EXPECT_TRUE(client.received.empty());
  }
}

// A message cut across segments waits, whole, for its last byte; five
// readable bytes are not yet worth reading.
TEST_F(ClientTest, MessageSplitOverManySegmentsArrivesWhole) {
  CCorvaneMessage msg(42);
  msg.Add(std::wstring(300, L'q'));
  const BYTE raw[] = {1, 2, 3};
  msg.Add(raw, 3);
  Bytes bytes = ToBytes(msg);
  ASSERT_TRUE(server->Send(Bytes(bytes.begin(), bytes.begin() + 5)));
  loop.RunFor(50);
  for (std::size_t i = 5; i + 1 < bytes.size(); i += 7) {
    Bytes piece(bytes.begin() + i, bytes.begin() + std::min(i + 7, bytes.size() - 1));
    ASSERT_TRUE(server->Send(piece));
    loop.RunOnce(20);
  }
  EXPECT_TRUE(client.received.empty());
  EXPECT_TRUE(client.disconnections.empty());
  ASSERT_TRUE(server->Send({bytes.back()}));
  ASSERT_TRUE(WaitForMessages(1));
  EXPECT_EQ(ToBytes(client.received[0]), bytes);
  EXPECT_TRUE(client.IsConnected());
}

// Several messages in one segment, all handled in one notification; -4 from
// the server goes to the application.
TEST_F(ClientTest, MessagesOfOneSegmentAreDelivered) {
  ASSERT_TRUE(server->Send(Concat({Message(1, 1), Message(2, 2), kClosing})));
  ASSERT_TRUE(WaitForMessages(3));
  EXPECT_EQ(client.received[1].GetId(), 2);
  EXPECT_EQ(client.received[2].GetId(), -4);
  EXPECT_TRUE(client.IsConnected());
}

TEST_F(ClientTest, BadInputEndsTheConnectionAsReceiveFailure) {
  struct Case {
    const char* name;
    Bytes bytes;
    bool closeAfter;
  };
  const Bytes whole = Message(3, 3);
  const Case cases[] = {
      {"dropped without control message", {}, true},
      {"stream stops mid-message", Bytes(whole.begin(), whole.end() - 2), true},
      // Every limit the framer judges: MessageFraming.
      {"buffer beyond the maximum", {1, 0, 0, 0, 1, 0, 0, 0, 0x0B, 0x00, 0x00, 0x00, 0x03, 1}, false},
  };
  for (const Case& c : cases) {
    ReconnectIfClosed();
    client.disconnections.clear();
    if (!c.bytes.empty()) {
      ASSERT_TRUE(server->Send(c.bytes)) << c.name;
    }
    if (c.closeAfter) server->Close();
    ASSERT_TRUE(WaitForDisconnection()) << c.name;
    EXPECT_EQ(client.disconnections, std::vector<CorvaneClientDisconnection>{CCD_RECEIVE_FAILED}) << c.name;
    EXPECT_FALSE(client.IsConnected()) << c.name;
    EXPECT_TRUE(client.received.empty()) << c.name;
  }
}

TEST_F(ClientTest, MessageNoPeerAcceptsIsRefusedAndTheConnectionKept) {
  CCorvaneMessage big(1);
  std::vector<BYTE> block(CCorvaneMessage::kMaxWireSize);
  big.Add(block.data(), static_cast<UINT>(block.size()));
  // Small enough on the wire, but more elements than a receiver takes.
  CCorvaneMessage many(1);
  for (std::int32_t i = 0; i <= CCorvaneMessage::kMaxElements; ++i) many.Add(BYTE{1});
  for (CCorvaneMessage* msg : {&big, &many}) {
    EXPECT_EQ(client.SendMessageToServer(*msg), 0);
    EXPECT_TRUE(client.IsConnected());
    EXPECT_TRUE(client.disconnections.empty());
  }
  CCorvaneMessage small(2);
  EXPECT_NE(client.SendMessageToServer(small), 0);
  ASSERT_TRUE(server->WaitForBytes(8));
  EXPECT_EQ(server->received, ToBytes(small));
}

TEST_F(ClientTest, FailedWriteClosesWithSendFailure) {
  CCorvaneMessage msg(4);
  ASSERT_TRUE(client.SendMessageToServer(msg));
  ASSERT_TRUE(server->WaitForBytes(8));
  // The server side goes away holding bytes it never read: a reset.
  listener.peers.clear();
  ASSERT_TRUE(client.SendMessageToServer(msg) == 0 || client.SendMessageToServer(msg) == 0);
  EXPECT_FALSE(client.IsConnected());
  EXPECT_EQ(client.disconnections, std::vector<CorvaneClientDisconnection>{CCD_SEND_FAILED});
}

// Reopening closes first and connects anew; a destroyed client says goodbye;
// a stopped server is announced; a refused connection tells nothing.
// (Messages between real peers: QtEventLoopTest.)
TEST(ClientWithServer, ConnectionsBetweenRealPeers) {
  CCorvanePollLoop loop;
  RecordingServer server;
  ASSERT_TRUE(server.StartListening(0));
  RecordingClient stays;
  ASSERT_TRUE(stays.OpenConnection(L"localhost", server.GetPort()));
  {
    RecordingClient shortLived;
    ASSERT_TRUE(shortLived.OpenConnection(L"127.0.0.1", server.GetPort()));
    ASSERT_TRUE(loop.RunUntil([&] { return server.connected.size() == 2; }, kWaitMs));
    ASSERT_TRUE(shortLived.OpenConnection(L"127.0.0.1", server.GetPort()));
    EXPECT_EQ(shortLived.disconnections, std::vector<CorvaneClientDisconnection>{CCD_CLOSED_BY_CLIENT});
    ASSERT_TRUE(loop.RunUntil([&] { return server.connected.size() == 3; }, kWaitMs));
    EXPECT_TRUE(shortLived.IsConnected());
  }
  ASSERT_TRUE(loop.RunUntil([&] { return server.disconnections.size() == 2; }, kWaitMs));
  EXPECT_EQ(server.disconnections, (std::vector<std::pair<std::int32_t, CorvaneServerDisconnection>>{
                                       {2, CSD_CLOSED_BY_USER}, {3, CSD_CLOSED_BY_USER}}));
  const std::int32_t port = server.GetPort();
  server.Stop();
  ASSERT_TRUE(loop.RunUntil([&] { return !stays.disconnections.empty(); }, kWaitMs));
  EXPECT_EQ(stays.disconnections, std::vector<CorvaneClientDisconnection>{CCD_SERVER_STOPPED});
  // Nobody listens any more: the connection fails without a notification.
  EXPECT_EQ(stays.OpenConnection(L"127.0.0.1", port), 0);
  EXPECT_FALSE(stays.IsConnected());
  EXPECT_EQ(stays.disconnections.size(), 1u);
}

}  // namespace
