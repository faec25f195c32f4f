#include "platform/NeighbourTable.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <chrono>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/InterfaceList.h"
#include "platform/NeighbourEvents.h"
#include "platform/Resolver.h"
#include "platform/SocketHandle.h"

namespace corvane::detail {
namespace {

using Clock = std::chrono::steady_clock;
constexpr unsigned kArpComplete = 0x2;  // ATF_COM
constexpr unsigned short kDiscardPort = 9;

bool ParseMac(const std::string& text, MacAddress& mac) {
  unsigned b[6];
  char tail = 0;
  if (std::sscanf(text.c_str(), "%2x:%2x:%2x:%2x:%2x:%2x%c", &b[0], &b[1], &b[2], &b[3], &b[4],
                  &b[5], &tail) != 6) {
    return false;
  }
  for (int i = 0; i < 6; ++i) mac[i] = static_cast<BYTE>(b[i]);
  return std::any_of(mac.begin(), mac.end(), [](BYTE x) { return x != 0; });
}

bool ReadArpTable(const std::string& ip, MacAddress& mac) {
  std::ifstream file("/proc/net/arp");
  if (!file) return false;
  std::ostringstream text;
  text << file.rdbuf();
  return FindInArpText(text.str(), ip, mac);
}

// Host-order helpers for the on-link test.
std::uint32_t HostOrder(const std::string& dotted) {
  std::uint32_t n = 0;
  return ParseDottedIPv4(dotted, n) ? ntohl(n) : 0;
}

bool IsQueryableUnicast(std::uint32_t a) {
  const std::uint32_t first = a >> 24;
  return a != 0 && first != 127 && first < 224;
}

enum class Locality { kOwn, kOnLink, kElsewhere };

// Whether the address is this machine's own, on a local subnet, or neither.
Locality Locate(std::uint32_t target, MacAddress& ownMac) {
  std::vector<InterfaceInfo> interfaces;
  if (!ListInterfaces(interfaces)) return Locality::kElsewhere;
  Locality result = Locality::kElsewhere;
  for (const auto& info : interfaces) {
    if (info.bLoopback) continue;
    for (const auto& address : info.addresses) {
      const std::uint32_t ip = HostOrder(address.strIp);
      const std::uint32_t mask = HostOrder(address.strMask);
      if (ip == target) {
        if (info.hwAddress.size() < 6) return Locality::kElsewhere;
        std::copy_n(info.hwAddress.begin(), 6, ownMac.begin());
        return Locality::kOwn;
      }
      const bool sameNet = (ip & mask) == (target & mask);
      const bool broadcast = (target | mask) == 0xFFFFFFFF;
      if (sameNet && !broadcast && mask != 0xFFFFFFFF) result = Locality::kOnLink;
    }
  }
  return result;
}

// One empty datagram makes the kernel resolve the neighbour.
void ProvokeResolution(std::uint32_t targetNetworkOrder) {
  const platform::SocketHandle sock(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  if (!sock.IsValid()) return;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(kDiscardPort);
  to.sin_addr.s_addr = targetNetworkOrder;
  ::sendto(sock.Get(), "", 0, MSG_DONTWAIT, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

int RemainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<long long>(0, left.count()));
}

// Waits for the neighbour entry; without notifications, re-reads the table a
// few times, each wait bounded by the deadline.
bool AwaitNeighbour(NeighbourEvents& events, const std::string& ip, std::uint32_t target, MacAddress& mac,
                    Clock::time_point deadline) {
  for (int left = RemainingMs(deadline); left > 0; left = RemainingMs(deadline)) {
    if (!events.valid()) {
      ::poll(nullptr, 0, std::min(left, 100));
      if (ReadArpTable(ip, mac)) return true;
      continue;
    }
    pollfd pfd{events.fd(), POLLIN, 0};
    const int ready = ::poll(&pfd, 1, left);
    if (ready < 0 && errno != EINTR) return false;
    if (ready <= 0) continue;
    using Outcome = NeighbourEvents::Outcome;
    const Outcome o = events.Drain(target, mac);
    if (o == Outcome::kResolved) return true;
    if (o == Outcome::kFailed) return false;
    // Dropped notifications may have held the answer: the table tells.
    if (o == Outcome::kLost && ReadArpTable(ip, mac)) return true;
  }
  return ReadArpTable(ip, mac);
}

}  // namespace

bool FindInArpText(const std::string& tableText, const std::string& ip, MacAddress& mac) {
  std::istringstream lines(tableText);
  std::string line;
  std::getline(lines, line);  // column titles
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string address, hwType, flags, hw;
    if (!(fields >> address >> hwType >> flags >> hw) || address != ip) continue;
    const unsigned long f = std::strtoul(flags.c_str(), nullptr, 16);
    if ((f & kArpComplete) && ParseMac(hw, mac)) return true;
  }
  return false;
}

bool ResolveNeighbourMac(const std::string& ip, MacAddress& mac, int timeoutMs) {
  std::uint32_t target = 0;
  if (!ParseDottedIPv4(ip, target) || !IsQueryableUnicast(ntohl(target))) return false;
  const Locality where = Locate(ntohl(target), mac);
  if (where == Locality::kOwn) return true;
  if (where != Locality::kOnLink) return false;

  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  // Subscribe before looking, so that an answer between the two is not missed.
  NeighbourEvents events;
  if (ReadArpTable(ip, mac)) return true;
  ProvokeResolution(target);
  return AwaitNeighbour(events, ip, target, mac, deadline);
}

}  // namespace corvane::detail
