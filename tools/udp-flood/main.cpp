// udp-flood: random datagrams at a steady rate, from a peer of the virtual LAN.
#include <iostream>

#include "Flooder.h"
#include "NamespaceGuard.h"

int main(int argc, char** argv) {
  std::string error;
  const auto options = FloodOptions::Parse({argv + 1, argv + argc}, error);
  if (!options) {
    std::cerr << "udp-flood: " << error << "\nTry 'udp-flood --help'.\n";
    return 2;
  }
  if (options->help) {
    std::cout << FloodOptions::Help();
    return 0;
  }
  if (!printersim::NamespaceGuard::InSeparateNetworkNamespace()) {
    std::cerr << "udp-flood: refusing to run outside a network namespace of its own; run it on a "
                 "peer of the virtual LAN (scripts/vlan)\n";
    return 1;
  }
  Flooder flooder(*options);
  if (!flooder.Run(error)) {
    std::cerr << "udp-flood: " << error << '\n';
    return 1;
  }
  std::cout << "udp-flood: sent " << flooder.Sent() << " datagrams in " << options->seconds
            << " s (" << flooder.Refused() << " refused by a full send queue)" << std::endl;
  return 0;
}
