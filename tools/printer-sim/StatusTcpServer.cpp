#include "StatusTcpServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>
#include <deque>
#include <vector>

#include "LocalAddress.h"
#include "StatusTable.h"

namespace printersim {

namespace {

using Clock = ExchangeMonitor::Clock;
constexpr std::size_t kMaxConnections = 512;

std::string Describe(const std::string& what) { return what + ": " + std::strerror(errno); }

}  // namespace

struct StatusTcpServer::Connection {
  FileDescriptor fd;
  std::uint32_t printer = 0;  // the address the client connected to
  std::string in;
  std::deque<std::pair<Clock::time_point, std::string>> out;
  bool closed = false;  // failed: dropped at once
  bool ended = false;   // the client closed its side: dropped once answered

  // Takes every whole request off the front of `in` and queues its answer.
  void Serve(const StatusSettings& settings, unsigned delayMs, ExchangeMonitor& monitor) {
    std::size_t length = 1;
    while (!in.empty() && length <= in.size()) {
      const std::string_view head(in.data(), length);
      if (const StatusRequest* request = StatusTable::Find(head)) {
        const auto now = Clock::now();
        const auto due = now + std::chrono::milliseconds(delayMs);
        monitor.Request(printer, now, due);
        if (auto frame = StatusTable::AnswerFrame(*request, settings))
          out.emplace_back(due, std::move(*frame));
        in.erase(0, length);
        length = 1;
      } else if (StatusTable::IsStartOfRequest(head)) {
        ++length;
      } else {
        in.erase(0, 1);  // no request starts here
        length = 1;
      }
    }
  }

  void WriteDue(Clock::time_point now) {
    while (!out.empty() && out.front().first <= now) {
      std::string& bytes = out.front().second;
      const ssize_t sent = send(fd.get(), bytes.data(), bytes.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
      if (sent < 0) {
        if (errno != EAGAIN && errno != EWOULDBLOCK) closed = true;
        return;
      }
      bytes.erase(0, static_cast<std::size_t>(sent));
      if (!bytes.empty()) return;
      out.pop_front();
    }
  }

  void ReadWaiting() {
    char buffer[4096];
    for (;;) {
      const ssize_t n = recv(fd.get(), buffer, sizeof buffer, MSG_DONTWAIT);
      if (n > 0) {
        in.append(buffer, static_cast<std::size_t>(n));
        continue;
      }
      if (n == 0) ended = true;
      else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) closed = true;
      return;
    }
  }
};

std::unique_ptr<StatusTcpServer> StatusTcpServer::Start(Ipv4Address address, std::uint16_t port,
                                                        const StatusSettings& settings,
                                                        unsigned delayMs, ExchangeMonitor& monitor,
                                                        std::string& error) {
  FileDescriptor listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  const int on = 1;
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  sa.sin_addr.s_addr = htonl(address.value());
  socklen_t length = sizeof sa;
  if (!listener.valid() ||
      setsockopt(listener.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
      bind(listener.get(), reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0 ||
      listen(listener.get(), 128) != 0 ||
      getsockname(listener.get(), reinterpret_cast<sockaddr*>(&sa), &length) != 0) {
    error = Describe("cannot listen on TCP port " + std::to_string(port));
    return nullptr;
  }
  FileDescriptor stop(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK));
  if (!stop.valid()) {
    error = Describe("eventfd");
    return nullptr;
  }
  return std::unique_ptr<StatusTcpServer>(new StatusTcpServer(
      std::move(listener), std::move(stop), ntohs(sa.sin_port), settings, delayMs, monitor));
}

StatusTcpServer::StatusTcpServer(FileDescriptor listener, FileDescriptor stop, std::uint16_t port,
                                 const StatusSettings& settings, unsigned delayMs,
                                 ExchangeMonitor& monitor)
    : listener_(std::move(listener)),
      stop_(std::move(stop)),
      port_(port),
      settings_(settings),
      delayMs_(delayMs),
      monitor_(monitor),
      thread_([this] { Run(); }) {}

StatusTcpServer::~StatusTcpServer() {
  const std::uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = write(stop_.get(), &one, sizeof one);
  thread_.join();
}

void StatusTcpServer::Run() {
  std::vector<std::unique_ptr<Connection>> connections;
  std::vector<pollfd> fds;
  for (;;) {
    const auto now = Clock::now();
    int timeoutMs = -1;
    fds.assign({{stop_.get(), POLLIN, 0}, {listener_.get(), POLLIN, 0}});
    for (const auto& connection : connections) {
      short events = connection->ended ? 0 : POLLIN;
      if (!connection->out.empty()) {
        const auto due = connection->out.front().first;
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(due - now).count();
        if (wait <= 0) events |= POLLOUT;
        else if (timeoutMs < 0 || wait < timeoutMs) timeoutMs = static_cast<int>(wait);
      }
      fds.push_back({connection->fd.get(), events, 0});
    }
    if (poll(fds.data(), fds.size(), timeoutMs) < 0 && errno != EINTR) return;
    if (fds[0].revents != 0) return;
    if (fds[1].revents != 0) {
      while (connections.size() < kMaxConnections) {
        FileDescriptor fd(accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
        if (!fd.valid()) break;
        auto connection = std::make_unique<Connection>();
        connection->printer = LocalAddress(fd.get()).value();
        connection->fd = std::move(fd);
        connections.push_back(std::move(connection));
      }
    }
    for (std::size_t i = 0; i + 2 < fds.size(); ++i) {
      Connection& connection = *connections[i];
      if (fds[i + 2].revents & (POLLIN | POLLERR | POLLHUP)) connection.ReadWaiting();
      connection.Serve(settings_, delayMs_, monitor_);
      connection.WriteDue(Clock::now());
    }
    std::erase_if(connections,
                  [](const auto& c) { return c->closed || (c->ended && c->out.empty()); });
  }
}

}  // namespace printersim
