#include "WebServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "LocalAddress.h"
#include "WebPage.h"

namespace printersim {

namespace {

constexpr std::size_t kMaxHead = 8192;
constexpr auto kClientTime = std::chrono::seconds(1);

// Waits for `events` on fd until the deadline; false when it passed.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
  pollfd entry{fd, events, 0};
  while (true) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    const int ready = poll(&entry, 1, static_cast<int>(left.count()));
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
}

// The local address a connection reached.
}  // namespace

std::unique_ptr<WebServer> WebServer::Start(Ipv4Address listenAddress, std::uint16_t port,
                                            Lookup lookup, std::string& error) {
  FileDescriptor listener(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  const int reuse = 1;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(port);
  address.sin_addr.s_addr = htonl(listenAddress.value());
  int pipeFds[2] = {-1, -1};
  if (!listener.valid() ||
      setsockopt(listener.get(), SOL_SOCKET, SO_REUSEADDR, &reuse, sizeof reuse) != 0 ||
      bind(listener.get(), reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener.get(), 16) != 0 || pipe2(pipeFds, O_CLOEXEC) != 0) {
    error = "web server on TCP port " + std::to_string(port) + ": " + std::strerror(errno);
    return nullptr;
  }
  socklen_t length = sizeof address;
  getsockname(listener.get(), reinterpret_cast<sockaddr*>(&address), &length);
  return std::unique_ptr<WebServer>(new WebServer(std::move(listener), FileDescriptor(pipeFds[0]),
                                                  FileDescriptor(pipeFds[1]),
                                                  ntohs(address.sin_port), std::move(lookup)));
}

WebServer::WebServer(FileDescriptor listener, FileDescriptor stopRead, FileDescriptor stopWrite,
                     std::uint16_t port, Lookup lookup)
    : listener_(std::move(listener)),
      stopRead_(std::move(stopRead)),
      stopWrite_(std::move(stopWrite)),
      port_(port),
      lookup_(std::move(lookup)),
      thread_([this] { Run(); }) {}

WebServer::~WebServer() {
  stopWrite_.Reset();  // the reading end becomes readable: the thread ends
  thread_.join();
}

void WebServer::Run() {
  pollfd fds[2] = {{listener_.get(), POLLIN, 0}, {stopRead_.get(), POLLIN, 0}};
  while (true) {
    if (poll(fds, 2, -1) < 0 && errno != EINTR) return;
    if (fds[1].revents != 0) return;
    if (fds[0].revents == 0) continue;
    const FileDescriptor connection(accept4(listener_.get(), nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK));
    if (connection.valid()) Serve(connection.get());
  }
}

void WebServer::Serve(int connection) const {
  const auto deadline = std::chrono::steady_clock::now() + kClientTime;
  std::string head;
  char buffer[1024];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < kMaxHead) {
    if (!WaitFor(connection, POLLIN, deadline)) return;
    const ssize_t got = recv(connection, buffer, sizeof buffer, 0);
    if (got < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (got <= 0) break;
    head.append(buffer, static_cast<std::size_t>(got));
  }
  const std::string response = WebPage::Response(head, lookup_(LocalAddress(connection)));
  for (std::size_t sent = 0; sent < response.size();) {
    if (!WaitFor(connection, POLLOUT, deadline)) return;
    const ssize_t put = send(connection, response.data() + sent, response.size() - sent, MSG_NOSIGNAL);
    if (put < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (put <= 0) return;
    sent += static_cast<std::size_t>(put);
  }
}

}  // namespace printersim
