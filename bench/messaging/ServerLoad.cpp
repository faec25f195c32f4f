// The message server against a thousand loopback clients, some of them
// hostile: slow senders (one byte a second), readers that never read,
// senders of malformed messages, and one peer that announces the largest
// message and sends all of it but its last byte. The server (an echo server)
// runs in a child process of its own, so that its memory can be read from
// /proc. Reports the memory the server holds per idle connection, the most
// one unfinished message makes it hold, and how the well-behaved clients
// fare meanwhile (echoes and pings answered, waits). Bounded in time.
//
//   corvane_server_load_bench [SECONDS] [CLIENTS]      (default 20, 1000)
//
// Loopback only; run it inside scripts/vlan run --peers 0 -- ... to keep the
// listening socket off any real network.
#include <corvane/CCorvaneArchive.h>
#include <corvane/CCorvaneMessage.h>
#include <corvane/CCorvanePollLoop.h>
#include <corvane/CCorvaneServer.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Bytes = std::vector<BYTE>;

// ---- the server process --------------------------------------------------

class EchoServer : public CCorvaneServer {
 protected:
  BOOL CanAcceptUser() override { return 1; }
  void OnUserConnected(std::int32_t) override {}
  void OnMessageReceived(std::int32_t lId, CCorvaneMessage& msg) override { SendMessageToUser(lId, msg); }
  void OnUserDisconnected(std::int32_t, CorvaneServerDisconnection) override {}
};

// Runs the server until the control pipe closes; tells its port through the
// other pipe.
[[noreturn]] void ServeInChild(int portPipe, int controlPipe) {
  CCorvanePollLoop loop;
  EchoServer server;
  if (!server.StartListening(0)) std::_Exit(1);
  const int port = server.GetPort();
  if (::write(portPipe, &port, sizeof port) != sizeof port) std::_Exit(1);
  auto watch = loop.WatchReadable(controlPipe, [&loop] { loop.Quit(); });
  loop.Run();
  std::_Exit(0);
}

long ResidentKiB(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

// ---- clients -------------------------------------------------------------

class VectorSink : public CCorvaneArchive::Sink {
 public:
  bool Write(const BYTE* pData, std::size_t uiLength) override {
    bytes.insert(bytes.end(), pData, pData + uiLength);
    return true;
  }
  Bytes bytes;
};

Bytes Wire(CCorvaneMessage msg) {
  VectorSink sink;
  CCorvaneArchive ar(sink);
  msg.Serialize(ar);
  ar.Flush();
  return sink.bytes;
}

enum class Role { kGood, kSlow, kDeaf, kMalformed };

struct Client {
  int fd = -1;
  Role role = Role::kGood;
  Bytes expected;          // bytes still awaited back (good clients)
  Bytes outgoing;          // bytes to send, of which `sent` have left
  std::size_t sent = 0;
  Clock::time_point sentAt, nextByte;
  bool closed = false;
};

int Connect(int port, int rcvbuf) {
  const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (rcvbuf > 0) ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &rcvbuf, sizeof rcvbuf);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(static_cast<std::uint16_t>(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    std::perror("connect");
    std::exit(1);
  }
  ::fcntl(fd, F_SETFL, O_NONBLOCK);
  return fd;
}

// Sends what the socket takes now; false when the connection is gone. The
// sent part is counted, not erased: a deaf client's backlog is 26 MB, and
// moving it at every send would make the clients, not the server, the
// bottleneck.
bool Push(Client& c) {
  while (c.sent < c.outgoing.size()) {
    const ssize_t n = ::send(c.fd, c.outgoing.data() + c.sent, c.outgoing.size() - c.sent, MSG_NOSIGNAL);
    if (n < 0) return errno == EAGAIN;
    c.sent += static_cast<std::size_t>(n);
  }
  c.outgoing.clear();
  c.sent = 0;
  return true;
}

struct Stats {
  long echoes = 0, failures = 0;
  std::vector<double> waitsMs;
};

// One round of traffic: each good client sends an echo message (every tenth
// a ping) when the previous one came back.
void StartRound(Client& c, long sequence) {
  CCorvaneMessage msg(sequence % 10 == 0 ? -2 : 42);  // -2: the client's ping, echoed by the server
  msg.Add(static_cast<long>(sequence));
  if (sequence % 10 != 0) msg.Add(std::wstring(50, L'e'));
  c.outgoing = Wire(std::move(msg));
  c.sent = 0;
  c.expected = c.outgoing;
  c.sentAt = Clock::now();
}

void ReadGood(Client& c, Stats& stats, long& sequence) {
  BYTE buffer[4096];
  for (;;) {
    const ssize_t n = ::recv(c.fd, buffer, sizeof buffer, 0);
    if (n <= 0) {
      if (n == 0 || errno != EAGAIN) c.closed = true;
      return;
    }
    const std::size_t take = std::min<std::size_t>(static_cast<std::size_t>(n), c.expected.size());
    if (!std::equal(buffer, buffer + take, c.expected.begin())) ++stats.failures;
    c.expected.erase(c.expected.begin(), c.expected.begin() + take);
    if (c.expected.empty()) {
      ++stats.echoes;
      stats.waitsMs.push_back(std::chrono::duration<double, std::milli>(Clock::now() - c.sentAt).count());
      StartRound(c, ++sequence);
    }
  }
}

// Connects one client and waits (at most 5 s) until its first ping comes
// back, so that the next connect finds the server's short accept queue empty:
// a burst of connects overflows it, and every dropped SYN costs the client a
// second or more before it tries again.
bool Greet(Client& c, int port) {
  c.fd = Connect(port, c.role == Role::kDeaf ? 4096 : 0);
  StartRound(c, 0);
  const auto end = Clock::now() + std::chrono::seconds(5);
  while (Clock::now() < end && !c.closed && Push(c)) {
    pollfd p{c.fd, static_cast<short>(POLLIN | (c.outgoing.empty() ? 0 : POLLOUT)), 0};
    if (::poll(&p, 1, 100) <= 0 || !(p.revents & (POLLIN | POLLHUP))) continue;
    Stats one;
    long ignored = 0;
    ReadGood(c, one, ignored);
    if (one.echoes > 0) {
      c.expected.clear();
      c.outgoing.clear();
      c.sent = 0;
      return true;
    }
  }
  return false;
}

void Report(const char* what, const Stats& s, long stalled) {
  std::vector<double> w = s.waitsMs;
  std::sort(w.begin(), w.end());
  auto at = [&](double q) { return w.empty() ? 0.0 : w[static_cast<std::size_t>(q * (w.size() - 1))]; };
  std::printf("%s: %ld echoes and pings answered, %ld wrong, %ld clients waiting > 5 s at the end; "
              "wait median %.2f ms, 99%% %.1f ms, max %.1f ms\n",
              what, s.echoes, s.failures, stalled, at(0.5), at(0.99), at(1.0));
}

}  // namespace

int main(int argc, char** argv) {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);  // each figure as soon as it is known, also into a pipe
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 20;
  const int clients = argc > 2 ? std::atoi(argv[2]) : 1000;
  int portPipe[2], controlPipe[2];
  if (::pipe(portPipe) != 0 || ::pipe(controlPipe) != 0) return 1;
  const pid_t server = ::fork();
  if (server == 0) {
    ::close(controlPipe[1]);
    ServeInChild(portPipe[1], controlPipe[0]);
  }
  ::close(controlPipe[0]);
  int port = 0;
  if (::read(portPipe[0], &port, sizeof port) != sizeof port) return 1;
  ::usleep(200000);
  const long base = ResidentKiB(server);

  // Every client connects and has one ping answered: then all are accepted.
  std::vector<Client> all(static_cast<std::size_t>(clients));
  const int hostile = clients / 20;  // of each hostile kind
  Stats warmup;
  long sequence = 0;
  for (int i = 0; i < clients; ++i) {
    Client& c = all[static_cast<std::size_t>(i)];
    c.role = i < hostile ? Role::kSlow : i < 2 * hostile ? Role::kDeaf : i < 3 * hostile ? Role::kMalformed : Role::kGood;
    warmup.echoes += Greet(c, port);
  }
  std::vector<pollfd> fds(all.size());
  auto pollAll = [&](int timeoutMs) {
    for (std::size_t i = 0; i < all.size(); ++i)
      fds[i] = {all[i].closed ? -1 : all[i].fd, static_cast<short>(POLLIN | (all[i].outgoing.empty() ? 0 : POLLOUT)), 0};
    return ::poll(fds.data(), fds.size(), timeoutMs);
  };
  const long idle = ResidentKiB(server);
  std::printf("server: %ld kB before, %ld kB with %d idle connections: %.1f kB per connection "
              "(%ld of %d answered the first ping)\n",
              base, idle, clients, double(idle - base) / clients, warmup.echoes, clients);

  // One peer announces a buffer of the largest size and sends all but one byte.
  const int holder = Connect(port, 0);
  {
    Bytes header = {7, 0, 0, 0, 1, 0, 0, 0, 11};  // id 7, one element, DT_BUFFER
    const std::uint32_t length = CCorvaneMessage::kMaxWireSize - 8 - 5;
    for (int b = 0; b < 4; ++b) header.push_back(static_cast<BYTE>(length >> (8 * b)));
    Bytes body(length - 1, 0x55);
    header.insert(header.end(), body.begin(), body.end());
    std::size_t sent = 0;
    ::fcntl(holder, F_SETFL, 0);
    while (sent < header.size()) {
      const ssize_t n = ::send(holder, header.data() + sent, header.size() - sent, MSG_NOSIGNAL);
      if (n <= 0) break;
      sent += static_cast<std::size_t>(n);
    }
    ::usleep(500000);
    const long held = ResidentKiB(server);
    std::printf("server: one unfinished message of %u bytes makes it hold %ld kB more\n",
                static_cast<unsigned>(length + 13), held - idle);
  }

  // The hostile clients start; the good ones exchange for the given time.
  std::mt19937 random(1);
  for (Client& c : all) {
    if (c.role == Role::kGood) StartRound(c, ++sequence);
    if (c.role == Role::kSlow) {
      c.outgoing = Wire(CCorvaneMessage(43));
      c.nextByte = Clock::now();
    }
    if (c.role == Role::kMalformed) {
      c.outgoing.resize(64);
      for (BYTE& b : c.outgoing) b = static_cast<BYTE>(random());
    }
    if (c.role == Role::kDeaf) {  // echoes pile up: 400 messages of 64 KiB
      CCorvaneMessage msg(44);
      msg.Add(std::wstring(32 * 1024, L'd'));
      const Bytes one = Wire(std::move(msg));
      for (int k = 0; k < 400; ++k) c.outgoing.insert(c.outgoing.end(), one.begin(), one.end());
    }
    Push(c);
  }
  Stats stats;
  const auto end = Clock::now() + std::chrono::seconds(seconds);
  while (Clock::now() < end) {
    pollAll(100);
    const auto now = Clock::now();
    for (std::size_t i = 0; i < all.size(); ++i) {
      Client& c = all[i];
      if (c.closed) continue;
      if (c.role == Role::kSlow) {
        if (now >= c.nextByte && !c.outgoing.empty()) {
          if (::send(c.fd, c.outgoing.data(), 1, MSG_NOSIGNAL) == 1) c.outgoing.erase(c.outgoing.begin());
          c.nextByte = now + std::chrono::seconds(1);
        }
        continue;
      }
      if (fds[i].revents & POLLOUT) c.closed = !Push(c);
      if (c.role == Role::kGood && (fds[i].revents & (POLLIN | POLLHUP))) ReadGood(c, stats, sequence);
      if (c.role == Role::kMalformed && (fds[i].revents & (POLLIN | POLLHUP))) {
        BYTE sink[4096];
        while (::recv(c.fd, sink, sizeof sink, 0) > 0) {
        }
      }
    }
  }
  long stalled = 0, goodClosed = 0;
  for (const Client& c : all) {
    if (c.role != Role::kGood) continue;
    goodClosed += c.closed;
    stalled += !c.closed && !c.expected.empty() && Clock::now() - c.sentAt > std::chrono::seconds(5);
  }
  Report("good clients", stats, stalled);
  std::printf("good clients disconnected: %ld; server holds %ld kB at the end\n", goodClosed,
              ResidentKiB(server));

  ::close(controlPipe[1]);
  for (Client& c : all) ::close(c.fd);
  ::close(holder);
  int status = 0;
  ::waitpid(server, &status, 0);
  return 0;
}
