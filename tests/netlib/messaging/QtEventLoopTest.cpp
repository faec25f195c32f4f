// Client and server driven by a Qt event loop through corvane_qt.
#include <corvane/CCorvaneClient.h>
#include <corvane/CCorvaneQtEventLoop.h>
#include <corvane/CCorvaneServer.h>
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

namespace {

class EchoServer : public CCorvaneServer {
 public:
  int users = 0;

 protected:
  BOOL CanAcceptUser() override { return 1; }
  void OnUserConnected(std::int32_t) override { ++users; }
  void OnMessageReceived(std::int32_t id, CCorvaneMessage& msg) override { SendMessageToUser(id, msg); }
  void OnUserDisconnected(std::int32_t, CorvaneServerDisconnection) override { --users; }
};

class Client : public CCorvaneClient {
 public:
  std::vector<std::int32_t> ids;
  int pings = 0;

 protected:
  void OnMessageReceived(CCorvaneMessage& msg) override { ids.push_back(msg.GetId()); }
  void OnDisconnected(CorvaneClientDisconnection) override {}
  void OnPing(std::int32_t) override { ++pings; }
};

template <typename Predicate>
bool ProcessUntil(Predicate done) {
  QDeadlineTimer deadline(3000);
  while (!done() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return done();
}

TEST(QtEventLoop, CarriesMessagesAndPings) {
  int argc = 1;
  char name[] = "corvane_qt_tests";
  char* argv[] = {name, nullptr};
  QCoreApplication app(argc, argv);
  CCorvaneQtEventLoop loop;
  EchoServer server;
  ASSERT_TRUE(server.StartListening(0));
  Client client;
  ASSERT_TRUE(client.OpenConnection(L"127.0.0.1", server.GetPort()));
  ASSERT_TRUE(ProcessUntil([&] { return server.users == 1; }));
  for (int id = 1; id <= 3; ++id) {
    CCorvaneMessage msg(id);
    ASSERT_TRUE(client.SendMessageToServer(msg));
  }
  ASSERT_TRUE(client.PingServer());
  ASSERT_TRUE(ProcessUntil([&] { return client.ids.size() == 3 && client.pings == 1; }));
  EXPECT_EQ(client.ids, (std::vector<std::int32_t>{1, 2, 3}));
  // More than the socket buffers take: the server's rest leaves as the loop
  // reports room, while the client reads on the same thread.
  CCorvaneMessage big(9);
  const std::vector<BYTE> bytes(20u << 20, 1);
  big.Add(bytes.data(), static_cast<UINT>(bytes.size()));
  std::vector<std::int32_t> users;
  server.GetUserIds(users);
  ASSERT_EQ(server.SendMessageToUser(users.at(0), big), 1);
  ASSERT_TRUE(ProcessUntil([&] { return client.ids.size() == 4; }));
  client.CloseConnection();
  EXPECT_TRUE(ProcessUntil([&] { return server.users == 0; }));
}

}  // namespace
