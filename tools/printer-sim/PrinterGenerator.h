#pragma once
// Deterministic printers for `--count N --base A.B.C.D`, and the defaults for
// fields a configuration line leaves out. Printer k gets the base address plus
// k, counting only host bytes 1..250 in the last octet: with base 10.77.16.1
// that is 10.77.(16 + k/250).(1 + k%250), the addresses scripts/vlan assigns.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "Ipv4Address.h"
#include "Printer.h"

namespace printersim {

class PrinterGenerator {
 public:
  static constexpr unsigned kHostsPerBlock = 250;

  PrinterGenerator(Ipv4Address base, Ipv4Address subnetMask, Ipv4Address gateway);

  // The k-th address from `base`; nullopt when the base's last octet is not
  // 1..250 or the address would run past 255.255.255.x.
  static std::optional<Ipv4Address> AddressOf(Ipv4Address base, std::size_t k);

  // Printer k: MAC 02-51-4D plus k+1 (locally administered), name
  // "Lumen Desk " plus k+1, models "Quillmark Compact" and "Quillmark Wide"
  // in turn, the generator's mask and gateway, DHCP "0" or "1".
  Printer Make(std::size_t k) const;
  Printer Make(std::size_t k, Ipv4Address address) const;

  // Printers 0..count-1, or an error text.
  std::optional<std::vector<Printer>> MakeAll(std::size_t count, std::string& error) const;

 private:
  Ipv4Address base_;
  std::string subnetMask_;
  std::string gateway_;
};

}  // namespace printersim
