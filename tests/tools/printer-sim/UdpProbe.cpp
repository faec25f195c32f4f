#include "UdpProbe.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>

using Clock = std::chrono::steady_clock;

UdpProbe::UdpProbe(std::uint16_t answerPort)
    : socket_(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {
  const int on = 1;
  const int buffer = 4 * 1024 * 1024;
  setsockopt(socket_.get(), SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  setsockopt(socket_.get(), SOL_SOCKET, SO_RCVBUF, &buffer, sizeof buffer);
  sockaddr_in any{};
  any.sin_family = AF_INET;
  any.sin_port = htons(answerPort);
  if (bind(socket_.get(), reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) socket_.Reset();
}

bool UdpProbe::Send(const std::string& address, std::uint16_t port, const std::string& text) {
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  if (inet_pton(AF_INET, address.c_str(), &to.sin_addr) != 1) return false;
  return sendto(socket_.get(), text.data(), text.size(), 0, reinterpret_cast<sockaddr*>(&to),
                sizeof to) == static_cast<ssize_t>(text.size());
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
    pollfd p{socket_.get(), POLLIN, 0};
    if (left.count() <= 0 || poll(&p, 1, static_cast<int>(left.count())) <= 0) return replies;
    char buffer[4096];
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t n = recvfrom(socket_.get(), buffer, sizeof buffer, 0,
                               reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (n < 0) continue;
    char text[INET_ADDRSTRLEN] = {};
    inet_ntop(AF_INET, &from.sin_addr, text, sizeof text);
    replies.push_back(Reply{text, ntohs(from.sin_port), std::string(buffer, std::size_t(n))});
  }
}
