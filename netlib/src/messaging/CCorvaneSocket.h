#pragma once
// A socket of the message framework: either a listening socket or a message
// connection with its stream. It watches its descriptor on an event loop and
// turns readiness into the framework's two notifications, data waiting
// (OnReceive) and connection waiting (OnAccept).
#include <corvane/CCorvaneEventLoop.h>

#include <memory>

#include "messaging/MessageStream.h"
#include "platform/TcpStreamSocket.h"

namespace corvane::detail {

class CCorvaneSocket {
 public:
  explicit CCorvaneSocket(CCorvaneEventLoop& loop) : m_loop(loop) {}
  CCorvaneSocket(const CCorvaneSocket&) = delete;
  CCorvaneSocket& operator=(const CCorvaneSocket&) = delete;
  virtual ~CCorvaneSocket();

  // Takes a connected socket and creates its stream. False on failure.
  bool AttachConnection(std::unique_ptr<platform::TcpStreamSocket> socket);
  // Takes a listening socket.
  bool AttachListener(std::unique_ptr<platform::TcpStreamSocket> socket);

  CCorvaneEventLoop& Loop() const { return m_loop; }
  platform::TcpStreamSocket* Socket() const { return m_pSocket.get(); }
  // The connection's stream; null for a listener and after CloseStreams.
  MessageStream* Stream() const { return m_pStream.get(); }
  // Releases the stream (what it still holds to send is offered to the
  // socket once more, then its output aborted) and stops watching; the
  // descriptor itself closes with the object.
  void CloseStreams();

  // Queued output (see MessageStream): after a send, the bytes the socket
  // did not take go out as it takes more. False when they cannot (the loop
  // cannot watch for room and they did not go within the send time-out).
  void QueueOutput();
  bool SendPending();

 protected:
  virtual void OnReceive(int /*iError*/) {}
  virtual void OnAccept(int /*iError*/) {}
  // Queued bytes could not be sent: the connection failed.
  virtual void OnSendFailed() {}

 private:
  bool Watch();
  void OnReadable();
  void OnWritable();

  CCorvaneEventLoop& m_loop;
  std::unique_ptr<platform::TcpStreamSocket> m_pSocket;
  std::unique_ptr<MessageStream> m_pStream;
  std::unique_ptr<CCorvaneWatch> m_pWatch;
  std::unique_ptr<CCorvaneWatch> m_pWriteWatch;
};

}  // namespace corvane::detail
