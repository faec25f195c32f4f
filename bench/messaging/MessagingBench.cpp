// Loopback benchmark of the message framework:
//  - ping round trips against a raw TCP ping-pong of the same 17 bytes;
//  - streaming of one-DT_LONG messages, each flushed on its own, against a raw
//    writer with one write per message, and ZeroMQ PUSH/PULL for reference.
// Each figure is the median of five runs.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "Bench.h"

namespace {

double Median(const std::function<double()>& run) {
  std::vector<double> values;
  for (int i = 0; i < 5; ++i) values.push_back(run());
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int pings = argc > 1 ? std::atoi(argv[1]) : 5000;
  int messages = argc > 2 ? std::atoi(argv[2]) : 100000;

  double raw = Median([&] { return bench::RawPingPongMicros(pings); });
  double framework = Median([&] { return bench::FrameworkPingMicros(pings); });
  std::printf("round trip (17 bytes, %d pings): raw %.1f us, framework %.1f us, ratio %.2f (target <= 1.30)\n",
              pings, raw, framework, framework / raw);

  double rawRate = Median([&] { return bench::RawStreamRate(messages); });
  double fwRate = Median([&] { return bench::FrameworkStreamRate(messages); });
  double zmqRate = Median([&] { return bench::ZmqStreamRate(messages); });
  std::printf("streaming (%d messages of 17 bytes): raw one-write-per-message %.0f/s, framework %.0f/s "
              "(%.0f%% of raw, target >= 80%%)",
              messages, rawRate, fwRate, 100.0 * fwRate / rawRate);
  if (zmqRate > 0) std::printf(", ZeroMQ PUSH/PULL %.0f/s", zmqRate);
  std::printf("\n");
  return 0;
}
