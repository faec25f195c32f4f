// Repeated discoveries in one lumora-cli process against printers that drop,
// duplicate, delay and spoil their answers, with a flood at the answer port
// from another peer during one run: every run ends, no field holds another
// printer's value, and the descriptors stay steady. bench/soak/run sets the
// long form through SOAK_PRINTERS (20), SOAK_RUNS (5), SOAK_FLOOD_RUN (3; 0:
// none), SOAK_FLOOD_SECONDS (2), SOAK_IDLE_MS (5), SOAK_STEADY_FROM (2) and
// SOAK_CLI (this build's).
#include "ChildRun.h"
#include "FileText.h"
#include "TempDir.h"
#include "VirtualLan.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>

using namespace std::chrono_literals;

namespace {

int Setting(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && *value != '\0' ? std::atoi(value) : fallback;
}

std::string Text(const char* format, int k) {
  char text[64];
  std::snprintf(text, sizeof text, format, k);
  return text;
}

// Printer k (1-based) at 10.77.16.k, every value its own so that one that
// lands at another printer's record shows.
struct Truth {
  std::string mac, name, model, mask, gateway;
};

// The printers, and their simulator's configuration in `config`.
std::map<std::string, Truth> MakeTruth(int printers, std::string& config) {
  std::map<std::string, Truth> truth;
  for (int k = 1; k <= printers; ++k) {
    const std::string ip = "10.77.16." + std::to_string(k);
    const Truth& t = truth[ip] = {Text("02-4C-53-00-00-%02X", k), Text("SOAK-PRN-%03d", k),
                                  Text("VX-SOAK-%03d", k), Text("255.%d.0.0", k), Text("10.77.%d.254", k)};
    config += "ip=" + ip + " mac=" + t.mac + " name=" + t.name + " model=" + t.model + " mask=" + t.mask +
              " gateway=" + t.gateway + " dhcp=" + std::to_string(k % 2) + "\n";
  }
  return truth;
}

// A value not told yet (empty or the placeholder).
bool Untold(const std::string& value, const char* placeholder) {
  return value.empty() || value == placeholder;
}

// The printer's own value, not told yet, or its own answer padded by the
// simulator's oversized garbage (which arrives whole at exactly 1024 bytes).
bool OwnValue(const std::string& value, const std::string& own, const char* placeholder) {
  if (value == own || Untold(value, placeholder)) return true;
  return value.starts_with(own) && value.find_first_not_of('A', own.size()) == std::string::npos;
}

// Fields of one run's records that hold no value of their own printer.
int ForeignValues(const nlohmann::json& devices, const std::map<std::string, Truth>& truth) {
  int foreign = 0;
  for (const auto& d : devices) {
    const auto it = truth.find(d["ip"].get<std::string>());
    if (it == truth.end()) {
      ADD_FAILURE() << "record of an address no printer has: " << d.dump();
      ++foreign;
      continue;
    }
    const Truth& t = it->second;
    const std::pair<const char*, std::pair<std::string, const char*>> fields[] = {
        {"mac", {t.mac, "xx xx xx xx"}},        {"name", {t.name, "-*-*-"}},
        {"model", {t.model, "-|-|-"}},          {"subnet_mask", {t.mask, "!*!*!"}},
        {"gateway", {t.gateway, "nn nn nn nn"}}};
    for (const auto& [key, own] : fields) {
      if (OwnValue(d[key].get<std::string>(), own.first, own.second)) continue;
      ADD_FAILURE() << it->first << " " << key << " holds " << d[key];
      ++foreign;
    }
  }
  return foreign;
}

struct RunLine {
  int printers = 0;
  double seconds = 0;
  long descriptors = 0, residentKiB = 0;
};

std::vector<RunLine> RunLines(const std::string& err) {
  static const std::regex line(
      R"(run (\d+) of \d+: (\d+) printers in ([\d.]+) s, (\d+) descriptors open, (\d+) kB resident)");
  std::vector<RunLine> lines;
  for (std::sregex_iterator it(err.begin(), err.end(), line), end; it != end; ++it)
    lines.push_back({std::stoi((*it)[2]), std::stod((*it)[3]), std::stol((*it)[4]), std::stol((*it)[5])});
  return lines;
}

}  // namespace

TEST(LanSoak, RepeatedDiscoveriesUnderFaultsAndFloodKeepEachPrintersOwnValues) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN (scripts/vlan, two peers)";
  const int printers = Setting("SOAK_PRINTERS", 20), runs = Setting("SOAK_RUNS", 5);
  const int floodRun = Setting("SOAK_FLOOD_RUN", 3), floodSeconds = Setting("SOAK_FLOOD_SECONDS", 2);
  const int steadyFrom = Setting("SOAK_STEADY_FROM", 2);
  ASSERT_TRUE(printers >= 1 && printers <= 250 && runs >= 1);

  TempDir dir;
  std::string config;
  const auto truth = MakeTruth(printers, config);
  std::ofstream(dir.path() / "printers.conf") << config;
  std::ofstream(dir.path() / "lumora.ini")
      << "[UDPTXRXPORT]\nuiRxPort=15001\nuiTxPort=15000\n[RETRYTIME]\ndwMaxDiscoveryTry=3\n"
         "dwMaxNoDataReadTry=2\n[TIMEOUT]\ndwReciveThreadTimeout=200\ndwRxThreadIdleTimeout="
      << Setting("SOAK_IDLE_MS", 5) << "\n[BROADCAST]\ndwBroadcastType=1\n";
  const char* cli = std::getenv("SOAK_CLI");
  std::filesystem::copy_file(cli != nullptr ? cli : LUMORA_BINARY_DIR "/bin/lumora-cli",
                             dir.path() / "lumora-cli");

  VirtualLan::AddPrinterAddresses(printers);
  auto sim = VirtualLan::StartSim({"--config", (dir.path() / "printers.conf").string(), "--drop", "10",
                                   "--duplicate", "--delay", "30", "--garbage", "10", "--seed", "7"});
  ChildRun run({(dir.path() / "lumora-cli").string(), "discover", "--json", "--repeat",
                std::to_string(runs)});
  std::unique_ptr<ChildRun> flood;
  if (floodRun >= 1 && floodRun <= runs) {
    if (floodRun > 1) {
      ASSERT_TRUE(run.WaitForOutput("run " + std::to_string(floodRun - 1) + " of", 600s)) << run.Err();
    }
    flood = std::make_unique<ChildRun>(std::vector<std::string>{
        "ip", "netns", "exec", VirtualLan::Env("VLAN_PEER2_NS"), LUMORA_BINARY_DIR "/bin/udp-flood",
        "--to", VirtualLan::Env("VLAN_HOST_IP"), "--port", "15001", "--rate", "100000",
        "--seconds", std::to_string(floodSeconds), "--max-size", "64"});
  }
  // A bound for a run that stalls, not a speed target: bench/soak measures.
  ASSERT_EQ(run.Wait(std::chrono::seconds(120 + 60 * runs + floodSeconds)), 0) << run.Err();
  if (flood) {
    EXPECT_EQ(flood->Wait(30s), 0) << flood->Err();
  }

  std::istringstream out(run.Out());
  const std::vector<RunLine> lines = RunLines(run.Err());
  ASSERT_EQ(lines.size(), static_cast<size_t>(runs)) << run.Err();
  int k = 0;
  for (std::string json; std::getline(out, json); ++k) {
    const auto devices = nlohmann::json::parse(json);
    const int foreign = ForeignValues(devices, truth);
    int complete = 0;
    for (const auto& d : devices) {
      complete += !Untold(d["name"], "-*-*-") && !Untold(d["model"], "-|-|-") &&
                  !Untold(d["subnet_mask"], "!*!*!") && !Untold(d["gateway"], "nn nn nn nn") &&
                  !Untold(d["dhcp"], "");
    }
    std::cout << "soak: run " << k + 1 << (k + 1 == floodRun ? " (flood)" : "") << ": "
              << devices.size() << " of " << printers << " printers, " << complete << " complete, "
              << foreign << " foreign values, " << lines[k].seconds << " s, "
              << lines[k].descriptors << " descriptors, " << lines[k].residentKiB << " kB resident\n";
    EXPECT_EQ(static_cast<int>(devices.size()), lines[k].printers);
    if (k + 1 > steadyFrom) {
      EXPECT_EQ(lines[k].descriptors, lines[steadyFrom - 1].descriptors);
    }
  }
  EXPECT_EQ(k, runs);
  sim->Signal(SIGTERM);
  EXPECT_EQ(sim->Wait(10s), 0) << sim->Err();
}
