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
  // Releases the stream (its output aborted first) and stops watching; the
  // descriptor itself closes with the object.
  void CloseStreams();

 protected:
  virtual void OnReceive(int /*iError*/) {}
  virtual void OnAccept(int /*iError*/) {}

 private:
  bool Watch();
  void OnReadable();

  CCorvaneEventLoop& m_loop;
  std::unique_ptr<platform::TcpStreamSocket> m_pSocket;
  std::unique_ptr<MessageStream> m_pStream;
  std::unique_ptr<CCorvaneWatch> m_pWatch;
};

}  // namespace corvane::detail
