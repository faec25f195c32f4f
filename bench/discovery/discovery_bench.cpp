// Helpers of the discovery benchmark (bench/discovery/run), not a test:
//   discovery-bench measure OUT CMD...
//                                    runs CMD with its standard output in the
//                                    file OUT and prints "wall_s cpu_s exit"
//                                    (CPU: user + system of CMD, all threads)
//   discovery-bench baseline [SILENCE_MS]
//                                    the least a discovery can do: one socket
//                                    that broadcasts the discovery request,
//                                    collects answers until SILENCE_MS of
//                                    silence, then the five information
//                                    requests likewise; prints
//                                    "answers wall_s cpu_s".
//   discovery-bench analyse FILE     reads the output of
//                                    lumora-cli discover --json --report and
//                                    prints "found complete holes fill_ms"
//                                    (complete: every field told; holes:
//                                    records incomplete when the fill-in
//                                    pass began).

// Run it only inside the virtual LAN: the baseline broadcasts.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(const timeval& tv) { return static_cast<double>(tv.tv_sec) + tv.tv_usec / 1e6; }

double Since(Clock::time_point t0) {
  return std::chrono::duration<double>(Clock::now() - t0).count();
}

int Measure(const char* out, char** argv) {
  const auto t0 = Clock::now();
  const pid_t pid = fork();
  if (pid < 0) return 1;
  if (pid == 0) {
    if (std::freopen(out, "w", stdout) == nullptr) _exit(126);
    execvp(argv[0], argv);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  if (wait4(pid, &status, 0, &usage) != pid) return 1;
  std::printf("%.3f %.3f %d\n", Since(t0), Seconds(usage.ru_utime) + Seconds(usage.ru_stime),
              WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
  return 0;
}

// Reads datagrams until none has come for silenceMs; the count.
int Collect(int fd, int silenceMs) {
  int answers = 0;
  char buf[2048];
  pollfd pfd{fd, POLLIN, 0};
  while (poll(&pfd, 1, silenceMs) > 0) {
    while (recv(fd, buf, sizeof buf, MSG_DONTWAIT) >= 0) ++answers;
  }
  return answers;
}

int Baseline(int silenceMs) {
  const auto t0 = Clock::now();
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  const int one = 1;
  const int rcvbuf = 1 << 24;  // as much as the system allows
  setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &one, sizeof one);
  setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &rcvbuf, sizeof rcvbuf);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(15001);
  if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) {
    std::perror("baseline");
    return 1;
  }
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(15000);
  to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
  auto send = [&](const std::string& text) {
    sendto(fd, text.data(), text.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  };
  send("<ZQ><0000>");
  int answers = Collect(fd, silenceMs);
  for (const char* tag : {"<NAME>", "<MOD>", "<SNM>", "<GTW>", "<DHCP>"})
    send(std::string("<ZQ><STSMOQ>") + tag);
  answers += Collect(fd, silenceMs);
  close(fd);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("%d %.3f %.3f\n", answers, Since(t0),
              Seconds(usage.ru_utime) + Seconds(usage.ru_stime));
  return 0;
}

bool Told(const nlohmann::json& device) {
  for (const char* key : {"name", "model", "subnet_mask", "gateway", "mac", "dhcp"}) {
    const std::string value = device.value(key, "");
    if (value.empty() || value == "-*-*-" || value == "-|-|-" || value == "!*!*!" ||
        value == "nn nn nn nn" || value == "xx xx xx xx")
      return false;
  }
  return true;
}

int Analyse(const char* path) {
  std::ifstream in(path);
  const auto output = nlohmann::json::parse(in, nullptr, false);
  if (output.is_discarded() || !output.contains("devices")) {
    std::printf("0 0 - 0\n");
    return 1;
  }
  int complete = 0;
  for (const auto& device : output["devices"]) complete += Told(device) ? 1 : 0;
  const auto& report = output["report"];
  const auto& rounds = report["fill_in_incomplete"];
  const std::string holes = rounds.empty() ? "-" : rounds.front().dump();
  std::printf("%zu %d %s %u\n", output["devices"].size(), complete, holes.c_str(),
              report.value("fill_in_ms", 0u));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 4 && std::strcmp(argv[1], "measure") == 0) return Measure(argv[2], argv + 3);
  if (argc == 3 && std::strcmp(argv[1], "analyse") == 0) return Analyse(argv[2]);
  if (argc >= 2 && std::strcmp(argv[1], "baseline") == 0)
    return Baseline(argc >= 3 ? std::atoi(argv[2]) : 200);
  std::fprintf(stderr,
               "usage: discovery-bench measure OUT CMD... | baseline [SILENCE_MS] | analyse FILE\n");
  return 2;
}
