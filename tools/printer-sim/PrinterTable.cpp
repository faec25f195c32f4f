#include "PrinterTable.h"

namespace printersim {

PrinterTable::PrinterTable(std::vector<Printer> printers) : printers_(std::move(printers)) {
  broadcasts_.reserve(printers_.size());
  for (std::size_t i = 0; i < printers_.size(); ++i) {
    broadcasts_.push_back(printers_[i].DirectedBroadcast());
    byAddress_.emplace(printers_[i].address.value(), i);
  }
}

void PrinterTable::Addressees(Ipv4Address destination, std::vector<std::size_t>& out) const {
  out.clear();
  if (destination == kLimitedBroadcast) {
    for (std::size_t i = 0; i < printers_.size(); ++i) out.push_back(i);
    return;
  }
  if (const auto it = byAddress_.find(destination.value()); it != byAddress_.end()) {
    out.push_back(it->second);
    return;
  }
  for (std::size_t i = 0; i < broadcasts_.size(); ++i) {
    if (broadcasts_[i] == destination) out.push_back(i);
  }
}

std::optional<std::size_t> PrinterTable::IndexOf(Ipv4Address address) const {
  const auto it = byAddress_.find(address.value());
  if (it == byAddress_.end()) return std::nullopt;
  return it->second;
}

bool PrinterTable::Readdress(std::size_t index, Ipv4Address address) {
  if (const auto holder = IndexOf(address); holder && *holder != index) return false;
  Printer& printer = printers_[index];
  byAddress_.erase(printer.address.value());
  printer.address = address;
  byAddress_.emplace(address.value(), index);
  broadcasts_[index] = printer.DirectedBroadcast();
  return true;
}

}  // namespace printersim
