#include "VirtualLan.h"

#include <gtest/gtest.h>

#include <cstdlib>

using namespace std::chrono_literals;

namespace VirtualLan {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool Inside() { return Env("VLAN") == "1"; }

void AddPrinterAddresses(int count) {
  for (int k = 1; Inside() && k <= count; ++k) {
    ChildRun({"ip", "-n", Env("VLAN_PEER1_NS"), "addr", "replace",
              "10.77.16." + std::to_string(k) + "/16", "brd", "10.77.255.255", "dev", "eth0"})
        .Wait(10s);
  }
}

void AddAddresses(const std::string& ns, const std::string& prefix, int count, int bits) {
  for (int k = 1; Inside() && k <= count; ++k) {
    ChildRun({"ip", "-n", ns, "addr", "replace", prefix + std::to_string(k) + "/" +
              std::to_string(bits), "brd", "+", "dev", "eth0"})
        .Wait(10s);
  }
}

std::unique_ptr<ChildRun> StartSimIn(const std::string& ns, const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"ip", "netns", "exec", ns, LUMORA_BINARY_DIR "/bin/printer-sim"};
  argv.insert(argv.end(), args.begin(), args.end());
  auto sim = std::make_unique<ChildRun>(argv);
  EXPECT_TRUE(sim->WaitForOutput("printer-sim: ready\n", 10s)) << sim->Err();
  return sim;
}

std::vector<std::string> SimCommand(const std::vector<std::string>& args) {
  std::vector<std::string> argv = {"ip", "netns", "exec", Env("VLAN_PEER1_NS"),
                                   LUMORA_BINARY_DIR "/bin/printer-sim"};
  argv.insert(argv.end(), args.begin(), args.end());
  return argv;
}

std::unique_ptr<ChildRun> StartSim(const std::vector<std::string>& args) {
  auto sim = std::make_unique<ChildRun>(SimCommand(args));
  EXPECT_TRUE(sim->WaitForOutput("printer-sim: ready\n", 10s)) << sim->Err();
  return sim;
}

}  // namespace VirtualLan
