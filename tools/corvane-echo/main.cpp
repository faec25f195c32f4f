// corvane-echo: an echo server and a client that measures it.
//   corvane-echo server --port P
//   corvane-echo client --host H --port P [--count N] [--elements K] [--ping N]
#include <corvane/CCorvanePollLoop.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>

#include "EchoClient.h"
#include "EchoServer.h"

namespace {

CCorvanePollLoop* g_pLoop = nullptr;

void OnSignal(int) {
  if (g_pLoop != nullptr) g_pLoop->Quit();  // an atomic flag and a write: safe here
}

constexpr const char* kUsage =
    "usage: corvane-echo server --port P\n"
    "       corvane-echo client --host H --port P [--count N] [--elements K] [--ping N]\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

// Options as --name value pairs; false on anything else.
bool ParseOptions(int argc, char** argv, std::map<std::string, std::string>& options) {
  for (int i = 2; i < argc; i += 2) {
    if (std::strncmp(argv[i], "--", 2) != 0 || i + 1 >= argc) return false;
    options[argv[i] + 2] = argv[i + 1];
  }
  return true;
}

long Number(const std::map<std::string, std::string>& options, const char* name, long fallback) {
  auto it = options.find(name);
  return it == options.end() ? fallback : std::strtol(it->second.c_str(), nullptr, 10);
}

int RunServer(CCorvanePollLoop& loop, long port) {
  EchoServer server;
  if (!server.StartListening(static_cast<std::int32_t>(port))) {
    std::fprintf(stderr, "corvane-echo: cannot listen on port %ld\n", port);
    return 1;
  }
  std::printf("listening on port %d\n", server.GetPort());
  std::fflush(stdout);
  loop.Run();
  server.Stop();
  return 0;
}

int RunClient(CCorvanePollLoop& loop, const std::string& host, long port, long count, long elements,
              long pings) {
  EchoClient client(loop);
  if (!client.OpenConnection(std::wstring(host.begin(), host.end()), static_cast<std::int32_t>(port))) {
    std::fprintf(stderr, "corvane-echo: cannot connect to %s:%ld\n", host.c_str(), port);
    return 1;
  }
  bool ok = client.RunMessages(count, elements) && client.RunPings(pings);
  if (!client.IsGone()) client.CloseConnection();
  if (!ok) std::fprintf(stderr, "corvane-echo: the server stopped answering\n");
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::fputs(kUsage, stdout);
    std::fputs("See corvane-echo(1).\n", stdout);
    return 0;
  }
  std::map<std::string, std::string> options;
  if (argc < 2 || !ParseOptions(argc, argv, options) || options.count("port") == 0) return Usage();
  CCorvanePollLoop loop;
  g_pLoop = &loop;
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  long port = Number(options, "port", -1);
  std::string mode = argv[1];
  if (mode == "server") return RunServer(loop, port);
  if (mode == "client" && options.count("host") != 0) {
    return RunClient(loop, options["host"], port, Number(options, "count", 1000),
                     Number(options, "elements", 1), Number(options, "ping", 10));
  }
  return Usage();
}
