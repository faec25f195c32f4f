// Printer link benchmark, run inside the virtual LAN (bench/printer-link/run).
// Scenarios, each against a fresh printer-sim on peer 1 whose answers leave
// DELAY ms (default 1) after each request:
//   floor-udp / floor-tcp: one thread, raw request/answer exchanges on fresh
//     sockets, no lock, no registry, no spooler;
//   raw-tcp-8: the raw TCP exchange from 8 threads at once, unserialised: the
//     simulator's overlap count must see it;
//   udp-one / tcp-one: 2 processes x 8 threads calling GetStatusEth on the
//     same printer;
//   tcp-eight: 2 processes x 8 threads, thread k on printer k (8 printers).
// Columns: exchanges, failed calls, exchanges per second, the longest single
// call (lock wait included), and the simulator's count of exchanges that
// overlapped another with the same printer (must be 0 for the link).
#include <arpa/inet.h>
#include <corvane/EthPrinterFunctions.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "ChildRun.h"
#include "PrinterSetup.h"
#include "VirtualLan.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

struct Tally {
  long exchanges = 0;
  long failed = 0;
  double longestMs = 0;
  void Add(const Tally& other) {
    exchanges += other.exchanges;
    failed += other.failed;
    longestMs = std::max(longestMs, other.longestMs);
  }
};

double Seconds() {
  const char* text = std::getenv("SECONDS_PER_RUN");
  return text != nullptr ? std::atof(text) : 3.0;
}

std::string Printer(int k) { return "10.77.16." + std::to_string(k); }

// Calls GetStatusEth on the queues (thread t uses queues[t % size]) for the
// run's time from `threads` threads.
Tally CallLoop(const std::vector<std::wstring>& queues, int threads) {
  std::vector<Tally> tallies(threads);
  std::vector<std::thread> workers;
  const auto end = Clock::now() + std::chrono::duration<double>(Seconds());
  for (int t = 0; t < threads; ++t) {
    workers.emplace_back([&, t] {
      while (Clock::now() < end) {
        BYTE status[6];
        DWORD dwLength = 0, dwError = 0;
        const auto start = Clock::now();
        const DWORD dwResult = GetStatusEth(queues[t % queues.size()], status, &dwLength, &dwError);
        const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
        tallies[t].longestMs = std::max(tallies[t].longestMs, ms);
        ++(dwResult == 0 ? tallies[t].exchanges : tallies[t].failed);
      }
    });
  }
  Tally total;
  for (int t = 0; t < threads; ++t) {
    workers[t].join();
    total.Add(tallies[t]);
  }
  return total;
}

// The call loop in two processes at once.
Tally TwoProcesses(const std::vector<std::wstring>& queues, int threads) {
  int pipes[2][2];
  pid_t children[2];
  for (int p = 0; p < 2; ++p) {
    if (pipe(pipes[p]) != 0) std::abort();
    children[p] = fork();
    if (children[p] == 0) {
      const Tally tally = CallLoop(queues, threads);
      [[maybe_unused]] auto n = write(pipes[p][1], &tally, sizeof tally);
      _exit(0);
    }
    close(pipes[p][1]);
  }
  Tally total;
  for (int p = 0; p < 2; ++p) {
    Tally tally;
    if (read(pipes[p][0], &tally, sizeof tally) == sizeof tally) total.Add(tally);
    close(pipes[p][0]);
    waitpid(children[p], nullptr, 0);
  }
  return total;
}

int Socket(int type) { return socket(AF_INET, type | SOCK_CLOEXEC, 0); }

sockaddr_in Address(const std::string& ip, int port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(static_cast<std::uint16_t>(port));
  inet_pton(AF_INET, ip.c_str(), &sa.sin_addr);
  return sa;
}

// One raw exchange on fresh sockets, as the link makes it, without lock,
// registry or spooler.
bool RawTcp(const std::string& ip) {
  const int fd = Socket(SOCK_STREAM);
  const sockaddr_in to = Address(ip, 9100);
  timeval limit{5, 0};
  setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  char answer[20];
  std::size_t got = 0;
  bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0 &&
            send(fd, "\x10\x04\x14", 3, MSG_NOSIGNAL) == 3;
  while (ok && got < sizeof answer) {
    const ssize_t n = recv(fd, answer + got, sizeof answer - got, 0);
    ok = n > 0;
    got += ok ? static_cast<std::size_t>(n) : 0;
  }
  close(fd);
  return ok;
}

bool RawUdp(const std::string& ip) {
  const int tx = Socket(SOCK_DGRAM), rx = Socket(SOCK_DGRAM);
  const sockaddr_in local = Address("0.0.0.0", 15001), to = Address(ip, 15000);
  timeval limit{12, 0};
  setsockopt(rx, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
  const std::string frame = std::string("<ZQ><STSMOQ><\x10\x04\x14>");
  char answer[64];
  const bool ok = bind(rx, reinterpret_cast<const sockaddr*>(&local), sizeof local) == 0 &&
                  sendto(tx, frame.data(), frame.size(), 0,
                         reinterpret_cast<const sockaddr*>(&to), sizeof to) ==
                      static_cast<ssize_t>(frame.size()) &&
                  recv(rx, answer, sizeof answer, 0) == 20;
  close(tx);
  close(rx);
  return ok;
}

Tally Floor(bool (*exchange)(const std::string&), int threads = 1) {
  if (threads > 1) {
    std::vector<Tally> tallies(threads);
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
      workers.emplace_back([&, t] { tallies[t] = Floor(exchange); });
    Tally total;
    for (int t = 0; t < threads; ++t) {
      workers[t].join();
      total.Add(tallies[t]);
    }
    return total;
  }
  Tally tally;
  const auto end = Clock::now() + std::chrono::duration<double>(Seconds());
  while (Clock::now() < end) {
    const auto start = Clock::now();
    ++(exchange(Printer(1)) ? tally.exchanges : tally.failed);
    tally.longestMs = std::max(
        tally.longestMs, std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return tally;
}

// printer-sim for one scenario; its count of overlapping exchanges.
class Sim {
 public:
  Sim() {
    const char* delay = std::getenv("DELAY");
    m_run = VirtualLan::StartSim({"--count", "8", "--base", "10.77.16.1", "--delay",
                                  delay != nullptr ? delay : "1"});
  }
  std::string Overlaps() {
    m_run->Signal(SIGTERM);
    m_run->Wait(10s);
    const auto at = m_run->Err().find("overlapping ");
    return at == std::string::npos ? "-" : m_run->Err().substr(at + 12, m_run->Err().find('\n', at) - at - 12);
  }

 private:
  std::unique_ptr<ChildRun> m_run;
};

void Report(const char* name, const Tally& tally, const std::string& overlaps) {
  std::printf("%-10s %10ld %7ld %12.0f %12.1f %9s\n", name, tally.exchanges, tally.failed,
              tally.exchanges / Seconds(), tally.longestMs, overlaps.c_str());
  std::fflush(stdout);
}

}  // namespace

int main() {
  if (!VirtualLan::Inside()) {
    std::fprintf(stderr, "printer-link-bench: run it inside the virtual LAN (bench/printer-link/run)\n");
    return 2;
  }
  VirtualLan::AddPrinterAddresses(8);
  PrinterSetup setup;
  if (!setup.Ready()) return 1;
  std::vector<std::wstring> tcpQueues;
  setup.AddPrinter("U1", "socket://" + Printer(1), 0);
  for (int k = 1; k <= 8; ++k) {
    setup.AddPrinter("T" + std::to_string(k), "socket://" + Printer(k), 1);
    tcpQueues.push_back(L"T" + std::to_wstring(k));
  }
  std::printf("%-10s %10s %7s %12s %12s %9s\n", "scenario", "exchanges", "failed", "per second",
              "longest ms", "overlaps");
  struct Scenario {
    const char* name;
    std::function<Tally()> run;
  };
  const Scenario scenarios[] = {
      {"floor-udp", [] { return Floor(RawUdp); }},
      {"floor-tcp", [] { return Floor(RawTcp); }},
      {"raw-tcp-8", [] { return Floor(RawTcp, 8); }},
      {"udp-one", [] { return TwoProcesses({L"U1"}, 8); }},
      {"tcp-one", [] { return TwoProcesses({L"T1"}, 8); }},
      {"tcp-eight", [&] { return TwoProcesses(tcpQueues, 8); }},
  };
  for (const Scenario& scenario : scenarios) {
    Sim sim;
    const Tally tally = scenario.run();
    Report(scenario.name, tally, sim.Overlaps());
  }
  return 0;
}
