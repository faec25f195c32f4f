#pragma once
// The client side of the message framework: one TCP connection to a
// CCorvaneServer over which both sides exchange CCorvaneMessage objects.
// Derive from it and implement the notifications. Everything happens on the
// thread that opened the connection: its event loop (the loop given to the
// constructor, else that thread's current loop) must run for messages to
// arrive. Control message ids -1 to -5 belong to the framework:
//   -1 server stopping, -2 client ping, -3 server ping, -4 client closing,
//   -5 server disconnects the client.
// Messages larger than CCorvaneMessage::kMaxWireSize, or with more than
// kMaxElements elements, are neither sent nor accepted.
#include <corvane/CCorvaneEventLoop.h>
#include <corvane/CCorvaneMessage.h>
#include <corvane/CorvaneClientDisconnection.h>
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <cstdint>
#include <memory>
#include <string>

namespace corvane::detail {
class CCorvaneClientSocket;
}

class CORVANE_EXPORT CCorvaneClient {
 public:
  CCorvaneClient();
  explicit CCorvaneClient(CCorvaneEventLoop& loop);
  CCorvaneClient(const CCorvaneClient&) = delete;
  CCorvaneClient& operator=(const CCorvaneClient&) = delete;
  // Sends -4 when connected and releases the connection without notifying.
  virtual ~CCorvaneClient();

  // Connects to a server (dotted address or host name); an open connection is
  // closed first (reason 0). Waits at most kConnectTimeoutMs. Non-zero when
  // connected.
  BOOL OpenConnection(const std::wstring& strServer, std::int32_t lPort);
  // Sends -4 when connected, then closes with reason 0.
  void CloseConnection();
  // Non-zero when written. A failed write closes the connection (reason 3).
  // A message too large for the wire is refused: 0, and nothing changes.
  BOOL SendMessageToServer(CCorvaneMessage& msg);
  // Sends -2 with the current tick count; OnPing reports the round trip.
  BOOL PingServer();
  BOOL IsConnected() const;
  // The address and port of this end of the connection.
  BOOL GetIpAndPort(std::wstring& strIp, std::int32_t& lPort) const;

  static constexpr int kConnectTimeoutMs = 10000;

 protected:
  // Every message whose id is not a control id handled by the client.
  virtual void OnMessageReceived(CCorvaneMessage& msg) = 0;
  // Once when an open connection ends.
  virtual void OnDisconnected(CorvaneClientDisconnection reason) = 0;
  // Round trip of a ping, in milliseconds.
  virtual void OnPing(std::int32_t lMilliseconds);

 private:
  friend class corvane::detail::CCorvaneClientSocket;
  void CloseConnection(CorvaneClientDisconnection reason);
  void CleanUp();
  void ProcessPendingRead(int iError);
  void TranslateMessage(CCorvaneMessage& msg);
  void FailReceive();

  std::unique_ptr<corvane::detail::CCorvaneClientSocket> m_pSocket;
  CCorvaneEventLoop* m_pLoop = nullptr;
};
