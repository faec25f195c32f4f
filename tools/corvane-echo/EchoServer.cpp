#include "EchoServer.h"

#include <cstdio>

namespace {

const char* ReasonText(CorvaneServerDisconnection reason) {
  switch (reason) {
    case CSD_DISCONNECTED_BY_SERVER: return "disconnected by server";
    case CSD_CLOSED_BY_USER: return "closed by user";
    case CSD_SEND_FAILED: return "send failed";
    case CSD_RECEIVE_FAILED: return "receive failed";
  }
  return "unknown reason";
}

}  // namespace

void EchoServer::OnUserConnected(std::int32_t lUserId) {
  std::printf("user %d connected\n", lUserId);
  std::fflush(stdout);
  PingUser(lUserId);
}

void EchoServer::OnMessageReceived(std::int32_t lUserId, CCorvaneMessage& msg) {
  SendMessageToUser(lUserId, msg);
}

void EchoServer::OnUserDisconnected(std::int32_t lUserId, CorvaneServerDisconnection reason) {
  std::printf("user %d disconnected: %s (%d)\n", lUserId, ReasonText(reason), static_cast<int>(reason));
  std::fflush(stdout);
}

void EchoServer::OnPing(std::int32_t lUserId, std::int32_t lMilliseconds) {
  std::printf("user %d ping: %d ms\n", lUserId, lMilliseconds);
  std::fflush(stdout);
}
