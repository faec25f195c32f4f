#include "ConfigReader.h"

#include <map>
#include <string_view>

namespace printersim {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

// Splits a line into KEY=VALUE fields; stops at a '#' that begins a field.
bool SplitFields(std::string_view line, std::map<std::string, std::string>& fields,
                 std::string& error) {
  std::size_t pos = 0;
  while (true) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos == line.size() || line[pos] == '#') return true;
    const std::size_t eq = line.find('=', pos);
    const std::size_t blank = line.find_first_of(" \t\r", pos);
    if (eq == std::string_view::npos || eq > blank || eq == pos) {
      error = "expected KEY=VALUE at '" + std::string(line.substr(pos, blank - pos)) + "'";
      return false;
    }
    std::string key(line.substr(pos, eq - pos));
    std::string value;
    pos = eq + 1;
    if (pos < line.size() && line[pos] == '"') {
      const std::size_t close = line.find('"', pos + 1);
      if (close == std::string_view::npos) {
        error = "unterminated quoted value of '" + key + "'";
        return false;
      }
      value = line.substr(pos + 1, close - pos - 1);
      pos = close + 1;
      if (pos < line.size() && !IsBlank(line[pos])) {
        error = "blank expected after the quoted value of '" + key + "'";
        return false;
      }
    } else {
      const std::size_t end = std::min(line.find_first_of(" \t\r", pos), line.size());
      value = line.substr(pos, end - pos);
      pos = end;
    }
    if (!fields.emplace(key, std::move(value)).second) {
      error = "'" + key + "' given twice";
      return false;
    }
  }
}

}  // namespace

bool ConfigReader::ReadLine(const std::string& line, Printer& printer, bool& empty,
                            std::string& error) const {
  std::map<std::string, std::string> fields;
  if (!SplitFields(line, fields, error)) return false;
  empty = fields.empty();
  if (empty) return true;
  const auto ip = fields.find("ip");
  if (ip == fields.end()) {
    error = "'ip' is missing";
    return false;
  }
  const auto address = Ipv4Address::Parse(ip->second);
  if (!address) {
    error = "'" + ip->second + "' is not an IPv4 address";
    return false;
  }
  printer.address = *address;
  static const std::map<std::string, std::string Printer::*> kKeys = {
      {"mac", &Printer::mac},         {"name", &Printer::name},       {"model", &Printer::model},
      {"mask", &Printer::subnetMask}, {"gateway", &Printer::gateway}, {"dhcp", &Printer::dhcp}};
  for (auto& [key, value] : fields) {
    if (key == "ip") continue;
    const auto field = kKeys.find(key);
    if (field == kKeys.end()) {
      error = "unknown key '" + key + "'";
      return false;
    }
    printer.*(field->second) = std::move(value);
  }
  return true;
}

std::optional<std::vector<Printer>> ConfigReader::Read(std::istream& in,
                                                       std::string& error) const {
  std::vector<Printer> printers;
  std::map<std::uint32_t, int> lineOf;
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    Printer printer = defaults_.Make(printers.size());
    bool empty = false;
    std::string fault;
    if (!ReadLine(line, printer, empty, fault)) {
      error = "line " + std::to_string(number) + ": " + fault;
      return std::nullopt;
    }
    if (empty) continue;
    const auto [it, added] = lineOf.emplace(printer.address.value(), number);
    if (!added) {
      error = "line " + std::to_string(number) + ": address " + printer.address.ToString() +
              " already used on line " + std::to_string(it->second);
      return std::nullopt;
    }
    printers.push_back(std::move(printer));
  }
  if (printers.empty()) {
    error = "no printer defined";
    return std::nullopt;
  }
  return printers;
}

}  // namespace printersim
