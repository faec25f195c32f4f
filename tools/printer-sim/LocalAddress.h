#pragma once
// The address a connected socket was reached at (0.0.0.0 when it cannot be
// told): which simulated printer a client connected to.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>

#include "Ipv4Address.h"

namespace printersim {

inline Ipv4Address LocalAddress(int fd) {
  sockaddr_in local{};
  socklen_t length = sizeof local;
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&local), &length) != 0) return {};
  return Ipv4Address(ntohl(local.sin_addr.s_addr));
}

}  // namespace printersim
