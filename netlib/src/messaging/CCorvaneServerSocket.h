#pragma once
// A socket of the server: its listening socket, or one user's connection.
// Hands the notifications to the owning server.
#include <corvane/CCorvaneServer.h>

#include "messaging/CCorvaneSocket.h"

namespace corvane::detail {

class CCorvaneServerSocket : public CCorvaneSocket {
 public:
  CCorvaneServerSocket(CCorvaneServer& server, CCorvaneEventLoop& loop)
      : CCorvaneSocket(loop), m_server(server) {}

 protected:
  void OnReceive(int iError) override { m_server.ProcessPendingRead(*this, iError); }
  void OnAccept(int iError) override { m_server.ProcessPendingAccept(iError); }
  void OnSendFailed() override { m_server.ProcessSendFailure(*this); }

 private:
  CCorvaneServer& m_server;
};

}  // namespace corvane::detail
