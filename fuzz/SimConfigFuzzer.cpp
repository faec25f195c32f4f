// Fuzzes printer-sim's configuration reader: any text gives either printers
// with distinct addresses or an error that names what is wrong.
#include <set>
#include <sstream>

#include "ConfigReader.h"
#include "FuzzInput.h"

using namespace printersim;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  static const PrinterGenerator defaults(*Ipv4Address::Parse("10.77.16.1"),
                                         *Ipv4Address::Parse("255.255.0.0"),
                                         *Ipv4Address::Parse("10.77.0.1"));
  std::istringstream text(std::string(reinterpret_cast<const char*>(pData), uiSize));
  std::string error;
  const auto printers = ConfigReader(defaults).Read(text, error);
  if (!printers) {
    Require(!error.empty());
    return 0;
  }
  std::set<std::uint32_t> addresses;
  for (const Printer& p : *printers) Require(addresses.insert(p.address.value()).second);
  Require(!printers->empty());
  return 0;
}
