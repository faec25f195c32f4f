#include "platform/NeighbourEvents.h"

#include <linux/neighbour.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace corvane::detail {
namespace {

using Outcome = NeighbourEvents::Outcome;

// Neighbour states that carry a usable hardware address.
constexpr unsigned kNudValid =
    NUD_PERMANENT | NUD_NOARP | NUD_REACHABLE | NUD_PROBE | NUD_STALE | NUD_DELAY;

Outcome Inspect(const nlmsghdr* msg, std::uint32_t target, MacAddress& mac) {
  if (msg->nlmsg_type != RTM_NEWNEIGH || msg->nlmsg_len < NLMSG_LENGTH(sizeof(ndmsg))) {
    return Outcome::kPending;
  }
  const auto* nd = static_cast<const ndmsg*>(NLMSG_DATA(msg));
  if (nd->ndm_family != AF_INET) return Outcome::kPending;
  bool isTarget = false;
  const rtattr* lladdr = nullptr;
  int len = static_cast<int>(RTM_PAYLOAD(msg));
  for (const rtattr* a = RTM_RTA(nd); RTA_OK(a, len); a = RTA_NEXT(a, len)) {
    if (a->rta_type == NDA_DST && RTA_PAYLOAD(a) == 4) {
      isTarget = std::memcmp(RTA_DATA(a), &target, 4) == 0;
    } else if (a->rta_type == NDA_LLADDR && RTA_PAYLOAD(a) >= 6) {
      lladdr = a;
    }
  }
  if (!isTarget) return Outcome::kPending;
  if (nd->ndm_state & NUD_FAILED) return Outcome::kFailed;
  if (!(nd->ndm_state & kNudValid) || lladdr == nullptr) return Outcome::kPending;
  std::memcpy(mac.data(), RTA_DATA(lladdr), 6);
  return Outcome::kResolved;
}

}  // namespace

NeighbourEvents::NeighbourEvents() {
  const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC | SOCK_NONBLOCK, NETLINK_ROUTE);
  if (fd < 0) return;
  sockaddr_nl local{};
  local.nl_family = AF_NETLINK;
  local.nl_groups = RTMGRP_NEIGH;
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    ::close(fd);
    return;
  }
  m_fd = fd;
}

NeighbourEvents::~NeighbourEvents() {
  if (m_fd >= 0) ::close(m_fd);
}

Outcome NeighbourEvents::Drain(std::uint32_t target, MacAddress& mac) {
  alignas(nlmsghdr) char buffer[16384];
  for (;;) {
    const ssize_t got = ::recv(m_fd, buffer, sizeof buffer, 0);
    if (got < 0) return errno == ENOBUFS ? Outcome::kLost : Outcome::kPending;
    int len = static_cast<int>(got);
    for (auto* msg = reinterpret_cast<nlmsghdr*>(buffer); NLMSG_OK(msg, len);
         msg = NLMSG_NEXT(msg, len)) {
      const Outcome o = Inspect(msg, target, mac);
      if (o != Outcome::kPending) return o;
    }
  }
}

}  // namespace corvane::detail
