#pragma once
// Reads printers from a configuration text, one printer per line:
//
//   # front office
//   ip=10.77.1.1 name="Front desk" model="Quillmark Wide" mac=02-51-4D-00-00-01
//   ip=10.77.1.2 mask=255.255.0.0 gateway=10.77.0.1 dhcp=1
//
// Fields are KEY=VALUE separated by blanks; a value with blanks is written in
// double quotes, "" is the empty value. Keys: ip (required), mac, name,
// model, mask, gateway, dhcp. A field left out gets the value the generator
// gives the printer with the same position. '#' starts a comment; blank
// lines are skipped. Addresses must be distinct.
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "Printer.h"
#include "PrinterGenerator.h"

namespace printersim {

class ConfigReader {
 public:
  explicit ConfigReader(const PrinterGenerator& defaults) : defaults_(defaults) {}

  // The printers, or nullopt with `error` naming the line and the fault.
  std::optional<std::vector<Printer>> Read(std::istream& in, std::string& error) const;

 private:
  bool ReadLine(const std::string& line, Printer& printer, bool& empty, std::string& error) const;

  const PrinterGenerator& defaults_;
};

}  // namespace printersim
