#include "UdpProbe.h"

#include <arpa/inet.h>
#include <poll.h>

#include <algorithm>

using Clock = std::chrono::steady_clock;

namespace {
sockaddr_in Address(const std::string& dotted, std::uint16_t port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  inet_pton(AF_INET, dotted.c_str(), &sa.sin_addr);
  return sa;
}
}  // namespace

UdpProbe::UdpProbe(std::uint16_t answerPort)
    : socket_(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
  const int on = 1;
  setsockopt(socket_.Get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  const sockaddr_in any = Address("0.0.0.0", answerPort);
  if (bind(socket_.Get(), reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) socket_.Reset();
}

bool UdpProbe::Send(const std::string& address, std::uint16_t port, const std::string& text) {
  const sockaddr_in to = Address(address, port);
  return sendto(socket_.Get(), text.data(), text.size(), 0,
                reinterpret_cast<const sockaddr*>(&to), sizeof to) == ssize_t(text.size());
}

std::vector<UdpProbe::Reply> UdpProbe::Collect(std::size_t expected,
                                               std::chrono::milliseconds limit,
                                               std::chrono::milliseconds quiet) {
  std::vector<Reply> replies;
  const auto deadline = Clock::now() + limit;
  while (true) {
    auto until = deadline;
    if (expected > 0 && replies.size() >= expected) until = std::min(until, Clock::now() + quiet);
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - Clock::now());
    pollfd p{socket_.Get(), POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return replies;
    char buffer[4096];
    sockaddr_in from{};
    socklen_t size = sizeof from;
    const ssize_t n = recvfrom(socket_.Get(), buffer, sizeof buffer, 0,
                               reinterpret_cast<sockaddr*>(&from), &size);
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
    if (n >= 0) replies.push_back({text, ntohs(from.sin_port), std::string(buffer, size_t(n))});
  }
}
