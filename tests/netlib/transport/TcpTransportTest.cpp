#include <corvane/CZqSocketComTcp.h>
#include <corvane/CorvaneErrors.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "LoopbackPeers.h"
#include "transport/ChunkedSend.h"

namespace {

namespace error = corvane::error;
using transport_test::kLoopback;
using transport_test::LoopbackPeer;

// A transport connected to a fresh peer.
struct Connected : ::testing::Test {
  void SetUp() override {
    ASSERT_EQ(tcp.InitSocket(kLoopback, peer.port), CZqSocketComTcp::kOk);
    peer.Accept();
  }
  LoopbackPeer peer;
  CZqSocketComTcp tcp;
};

TEST(TcpChunks, BuffersGoOutInChunksOfAtMost1024Bytes) {
  struct Case {
    int length;
    std::vector<std::pair<int, int>> chunks;  // offset, size
  };
  for (const Case& c : {Case{0, {{0, 0}}}, Case{1024, {{0, 1024}}},
                        Case{1025, {{0, 1024}, {1024, 1}}},
                        Case{2500, {{0, 1024}, {1024, 1024}, {2048, 452}}}}) {
    std::vector<BYTE> buffer(static_cast<std::size_t>(c.length) + 1);
    std::vector<std::pair<int, int>> seen;
    EXPECT_TRUE(corvane::detail::SendInChunks(buffer.data(), c.length, 1024,
                                              [&](const BYTE* p, int n) {
                                                seen.emplace_back(int(p - buffer.data()), n);
                                                return n;
                                              }));
    EXPECT_EQ(seen, c.chunks) << c.length;
  }
  // A chunk not taken whole ends the send.
  BYTE buffer[2048] = {};
  int calls = 0;
  EXPECT_FALSE(corvane::detail::SendInChunks(buffer, 2048, 1024, [&](const BYTE*, int n) {
    ++calls;
    return n - 1;
  }));
  EXPECT_EQ(calls, 1);
}

TEST_F(Connected, BytesAndTextsArriveInOrderAndTooLongTextsAreNotSent) {
  std::vector<BYTE> big(1025);
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<BYTE>(i * 7);
  ASSERT_EQ(tcp.Send(big.data(), 1025), CZqSocketComTcp::kOk);
  EXPECT_EQ(peer.Read(1025), std::string(big.begin(), big.end()));

  EXPECT_EQ(tcp.Send(std::wstring(1023, L'a')), CZqSocketComTcp::kOk);
  EXPECT_EQ(peer.Read(1023), std::string(1023, 'a'));
  DWORD dwError = 7;
  EXPECT_EQ(tcp.Send(std::wstring(1024, L'b'), &dwError), CZqSocketComTcp::kTextTooLong);
  EXPECT_EQ(dwError, 0u);
  // Nothing of the refused text went out: the next bytes are these.
  ASSERT_EQ(tcp.Send(std::wstring(L"\x141z")), CZqSocketComTcp::kOk);
  ASSERT_EQ(tcp.SendChar('!'), CZqSocketComTcp::kOk);
  EXPECT_EQ(peer.Read(3), "Az!");
}

TEST_F(Connected, SizedReceiveNeedsEveryByte) {
  DWORD dwReceived = 99;
  BYTE buffer[32] = {};
  EXPECT_EQ(tcp.Receive(buffer, 0, &dwReceived, nullptr), CZqSocketComTcp::kOk);
  EXPECT_EQ(dwReceived, 0u);

  peer.Write("0123456789");
  peer.CloseConnection();
  DWORD dwError = 0;
  tcp.SetNetCommTimeouts(0, 5000, 0);
  EXPECT_EQ(tcp.Receive(buffer, 20, &dwReceived, &dwError), CZqSocketComTcp::kReceiveFailed);
  EXPECT_EQ(dwError, error::kDisconnected);
  EXPECT_EQ(std::string(buffer, buffer + 10), "0123456789");
}

TEST_F(Connected, ReceiveWithoutSizeEndsAtSilenceOrAtTheBuffersEnd) {
  tcp.SetNetCommTimeouts(0, 100, 0);
  int iReceived = 5;
  DWORD dwError = 0;
  BYTE buffer[64];
  EXPECT_EQ(tcp.ReceiveNoSize(buffer, &iReceived, &dwError, 0), CZqSocketComTcp::kReceiveFailed);
  EXPECT_EQ(iReceived, 0);
  EXPECT_EQ(dwError, error::kTimedOut);

  peer.Write(std::string(100, 'x'));
  std::fill(std::begin(buffer), std::end(buffer), BYTE{'-'});
  tcp.SetNetCommTimeouts(0, 5000, 0);
  EXPECT_EQ(tcp.ReceiveNoSize(buffer, 40, &iReceived, &dwError, 1), CZqSocketComTcp::kOk);
  EXPECT_EQ(iReceived, 40);
  EXPECT_EQ(buffer[40], '-');  // nothing written past the capacity
  // The rest is still there for the next read.
  EXPECT_EQ(tcp.ReceiveNoSize(buffer, 64, &iReceived, &dwError, 0), CZqSocketComTcp::kOk);
  EXPECT_EQ(iReceived, 60);
}

TEST(TcpTransport, ConnectionRefusedGives2WithTheSocketError) {
  DWORD port = 0;
  {
    LoopbackPeer closed;  // a port that had a listener a moment ago
    port = closed.port;
  }
  CZqSocketComTcp tcp;
  DWORD dwError = 0;
  EXPECT_EQ(tcp.InitSocket(kLoopback, port, &dwError), CZqSocketComTcp::kConnectFailed);
  EXPECT_EQ(dwError, error::kConnectionRefused);
  EXPECT_TRUE(tcp.m_strIPAddress.empty());
  tcp.Close();
  // The object may be initialised again.
  LoopbackPeer peer;
  EXPECT_EQ(tcp.InitSocket(kLoopback, peer.port, &dwError), CZqSocketComTcp::kOk);
  EXPECT_EQ(tcp.m_strIPAddress, kLoopback);
}

}  // namespace
