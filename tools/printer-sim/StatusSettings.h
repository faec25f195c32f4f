#pragma once
// What the simulated printers answer in the status exchange (the requests of
// the printer link's functions), set from the command line. Every printer of
// one simulator gives the same answers.
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace printersim {

struct StatusSettings {
  std::uint16_t tcpPort = 9100;  // 0: no TCP listener
  bool tcpPortGiven = false;     // the default port may be taken by another simulator
  unsigned long long powerOn = 1234;
  unsigned long long cuts = 5678;
  unsigned long long retracts = 42;
  unsigned long long paperRemainingCm = 750;
  unsigned long long paperPrintedCm = 1200;
  unsigned timeToCut = 37;      // answered as the bytes 3, 7
  unsigned notchDistance = 125; // answered as the bytes 12, 5
  char retractEnabled = '1';
  char notchEnabled = '0';
  std::uint8_t notchThreshold = 200;
  std::string status = std::string("\x01\x02\x03\x04\x05\x06", 6);
  std::string gsi = "\x12";
  std::string release = "V1.2";
  std::string headTemp = "023.5C";
  std::string voltage = "24.10V";
  bool refuse = false;     // commands answered 0x15
  bool wrongForm = false;  // answers framed with the query code, not the answer code
  // Whole answers by request bytes; nullopt: no answer at all.
  std::map<std::string, std::optional<std::string>> overrides;
};

}  // namespace printersim
