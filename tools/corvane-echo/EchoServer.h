#pragma once
// Accepts every user and sends each application message back to its sender.
// Logs connections, disconnections with their reasons, and the round trip of
// the ping it sends every new user.
#include <corvane/CCorvaneServer.h>

class EchoServer : public CCorvaneServer {
 protected:
  BOOL CanAcceptUser() override { return 1; }
  void OnUserConnected(std::int32_t lUserId) override;
  void OnMessageReceived(std::int32_t lUserId, CCorvaneMessage& msg) override;
  void OnUserDisconnected(std::int32_t lUserId, CorvaneServerDisconnection reason) override;
  void OnPing(std::int32_t lUserId, std::int32_t lMilliseconds) override;
};
