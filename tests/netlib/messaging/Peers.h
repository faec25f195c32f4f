#pragma once
// Test peers on loopback: a client and a server that record every
// notification, and a raw TCP peer that sends and collects plain bytes. All
// run on one CCorvanePollLoop on the test's thread.
#include <corvane/CCorvaneClient.h>
#include <corvane/CCorvanePollLoop.h>
#include <corvane/CCorvaneServer.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/TcpStreamSocket.h"

namespace corvane::testing {

using Bytes = std::vector<BYTE>;
constexpr DWORD kWaitMs = 3000;

class RecordingClient : public CCorvaneClient {
 public:
  using CCorvaneClient::CCorvaneClient;
  std::vector<CCorvaneMessage> received;
  std::vector<CorvaneClientDisconnection> disconnections;
  std::vector<std::int32_t> pings;

 protected:
  void OnMessageReceived(CCorvaneMessage& msg) override { received.push_back(msg); }
  void OnDisconnected(CorvaneClientDisconnection reason) override { disconnections.push_back(reason); }
  void OnPing(std::int32_t ms) override { pings.push_back(ms); }
};

class RecordingServer : public CCorvaneServer {
 public:
  using CCorvaneServer::CCorvaneServer;
  bool accept = true;
  std::vector<std::int32_t> connected;
  std::vector<std::pair<std::int32_t, CCorvaneMessage>> received;
  std::vector<std::pair<std::int32_t, CorvaneServerDisconnection>> disconnections;
  std::vector<std::pair<std::int32_t, std::int32_t>> pings;
  // Called for each received message before it is recorded.
  std::function<void(std::int32_t, CCorvaneMessage&)> onMessage;

 protected:
  BOOL CanAcceptUser() override { return accept ? 1 : 0; }
  void OnUserConnected(std::int32_t id) override { connected.push_back(id); }
  void OnMessageReceived(std::int32_t id, CCorvaneMessage& msg) override {
    if (onMessage) onMessage(id, msg);
    received.emplace_back(id, msg);
  }
  void OnUserDisconnected(std::int32_t id, CorvaneServerDisconnection reason) override {
    disconnections.emplace_back(id, reason);
  }
  void OnPing(std::int32_t id, std::int32_t ms) override { pings.emplace_back(id, ms); }
};

// A plain TCP endpoint watched on the loop: collects what arrives.
class RawPeer {
 public:
  RawPeer(CCorvanePollLoop& loop, std::unique_ptr<platform::TcpStreamSocket> socket)
      : m_loop(loop), m_pSocket(std::move(socket)) {
    m_pWatch = loop.WatchReadable(m_pSocket->Fd(), [this] { Collect(); });
  }
  static std::unique_ptr<RawPeer> Connect(CCorvanePollLoop& loop, int port) {
    int error = 0;
    auto s = platform::TcpStreamSocket::Connect(L"127.0.0.1", port, 3000, error);
    return s ? std::make_unique<RawPeer>(loop, std::move(s)) : nullptr;
  }
  bool Send(const Bytes& bytes) {
    int error = 0;
    return m_pSocket->WriteAll(bytes.data(), bytes.size(), 3000, error);
  }
  // Runs the loop until n bytes have come (or the stream ended).
  bool WaitForBytes(std::size_t n) {
    return m_loop.RunUntil([&] { return received.size() >= n || ended; }, kWaitMs) && received.size() >= n;
  }
  bool WaitForEnd() { return m_loop.RunUntil([&] { return ended; }, kWaitMs); }
  void Close() {
    m_pWatch.reset();
    m_pSocket.reset();
  }
  // Stays connected but takes nothing more from the socket.
  void StopReading() { m_pWatch.reset(); }
  Bytes received;
  bool ended = false;

 private:
  void Collect() {
    BYTE chunk[4096];
    std::size_t got = 0;
    int error = 0;
    auto status = m_pSocket->Read(chunk, sizeof chunk, got, error);
    if (status == platform::TcpStreamSocket::ReadStatus::kData) {
      received.insert(received.end(), chunk, chunk + got);
    } else if (status != platform::TcpStreamSocket::ReadStatus::kWouldBlock) {
      ended = true;
      m_pWatch.reset();
    }
  }
  CCorvanePollLoop& m_loop;
  std::unique_ptr<platform::TcpStreamSocket> m_pSocket;
  std::unique_ptr<CCorvaneWatch> m_pWatch;
};

// A plain listening socket that turns each connection into a RawPeer.
class RawListener {
 public:
  explicit RawListener(CCorvanePollLoop& loop) : m_loop(loop) {
    int error = 0;
    m_pSocket = platform::TcpStreamSocket::Listen(0, 5, error);
    std::wstring address;
    m_pSocket->LocalAddress(address, port);
    m_pWatch = loop.WatchReadable(m_pSocket->Fd(), [this] {
      int error = 0;
      if (auto s = m_pSocket->Accept(error)) peers.push_back(std::make_unique<RawPeer>(m_loop, std::move(s)));
    });
  }
  int port = 0;
  std::vector<std::unique_ptr<RawPeer>> peers;

 private:
  CCorvanePollLoop& m_loop;
  std::unique_ptr<platform::TcpStreamSocket> m_pSocket;
  std::unique_ptr<CCorvaneWatch> m_pWatch;
};

}  // namespace corvane::testing
