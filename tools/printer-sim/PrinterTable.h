#pragma once
// The printers one simulator plays, and which of them hear a request sent to
// a given destination address.
#include <cstddef>
#include <optional>
#include <unordered_map>
#include <vector>

#include "Printer.h"

namespace printersim {

class PrinterTable {
 public:
  // Addresses must be distinct (the configuration reader and the generator
  // see to that).
  explicit PrinterTable(std::vector<Printer> printers);

  std::size_t size() const { return printers_.size(); }
  Printer& operator[](std::size_t index) { return printers_[index]; }
  const Printer& operator[](std::size_t index) const { return printers_[index]; }

  // Indices of the printers that hear a datagram addressed to `destination`:
  // all of them for the limited broadcast, those of that network for a
  // subnet-directed broadcast, the one printer for its own address.
  void Addressees(Ipv4Address destination, std::vector<std::size_t>& out) const;

  // The printer at `address`, if one is there.
  std::optional<std::size_t> IndexOf(Ipv4Address address) const;

  // The printer at `index` moves to `address` (its own, or one no other
  // printer holds) and hears the broadcasts of its current subnet mask;
  // false, with nothing changed, when another printer holds the address.
  bool Readdress(std::size_t index, Ipv4Address address);

 private:
  std::vector<Printer> printers_;
  std::vector<Ipv4Address> broadcasts_;
  std::unordered_map<std::uint32_t, std::size_t> byAddress_;
};

}  // namespace printersim
