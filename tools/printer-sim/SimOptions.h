#pragma once
// Everything the command line of printer-sim sets.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FaultInjector.h"
#include "Ipv4Address.h"
#include "SetHandler.h"
#include "StatusSettings.h"

namespace printersim {

struct SimOptions {
  std::string configPath{};// printers from this file, or else generated:
  std::size_t count = 0;   // how many to generate from `base`
  Ipv4Address base{0x0A4D1001};        // 10.77.16.1
  Ipv4Address subnetMask{0xFFFF0000};  // 255.255.0.0, of generated printers
  Ipv4Address gateway{0x0A4D0001};     // 10.77.0.1, of generated printers
  std::uint16_t port = 15000;          // where printers listen
  std::uint16_t answerPort = 15001;    // where answers go on the sender's host
  std::uint16_t webPort = 80;          // the printers' web pages; 0: none
  unsigned delayMs = 0;
  FaultInjector::Settings faults{};
  StatusSettings status{};  // the status exchange's answers
  SetReply setReply = SetReply::kConfirm;  // how printers answer the SET command
  bool verbose = false;
  bool allowHostNetwork = false;  // may run in the machine's own namespace
  bool help = false;
};

}  // namespace printersim
