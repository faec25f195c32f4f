#pragma once
// The client's connection: hands data-waiting notifications to its client.
#include <corvane/CCorvaneClient.h>

#include "messaging/CCorvaneSocket.h"

namespace corvane::detail {

class CCorvaneClientSocket : public CCorvaneSocket {
 public:
  CCorvaneClientSocket(CCorvaneClient& client, CCorvaneEventLoop& loop)
      : CCorvaneSocket(loop), m_client(client) {}

 protected:
  void OnReceive(int iError) override { m_client.ProcessPendingRead(iError); }

 private:
  CCorvaneClient& m_client;
};

}  // namespace corvane::detail
