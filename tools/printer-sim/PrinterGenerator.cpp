#include "PrinterGenerator.h"

#include <array>
#include <cstdio>

namespace printersim {

namespace {

constexpr std::array<const char*, 2> kModels = {"Quillmark Compact", "Quillmark Wide"};

std::string Format(const char* format, std::size_t number) {
  std::array<char, 48> text{};
  std::snprintf(text.data(), text.size(), format, static_cast<unsigned long>(number));
  return text.data();
}

std::string MacOf(std::size_t serial) {
  std::array<char, 32> text{};
  std::snprintf(text.data(), text.size(), "02-51-4D-%02X-%02X-%02X",
                static_cast<unsigned>((serial >> 16) & 0xFF),
                static_cast<unsigned>((serial >> 8) & 0xFF), static_cast<unsigned>(serial & 0xFF));
  return text.data();
}

}  // namespace

PrinterGenerator::PrinterGenerator(Ipv4Address base, Ipv4Address subnetMask, Ipv4Address gateway)
    : base_(base), subnetMask_(subnetMask.ToString()), gateway_(gateway.ToString()) {}

std::optional<Ipv4Address> PrinterGenerator::AddressOf(Ipv4Address base, std::size_t k) {
  const unsigned host = base.value() & 0xFF;
  if (host < 1 || host > kHostsPerBlock) return std::nullopt;
  const std::uint64_t offset = (host - 1) + static_cast<std::uint64_t>(k);
  const std::uint64_t block = (base.value() >> 8) + offset / kHostsPerBlock;
  if (block > 0xFFFFFF) return std::nullopt;
  return Ipv4Address(static_cast<std::uint32_t>((block << 8) | (1 + offset % kHostsPerBlock)));
}

Printer PrinterGenerator::Make(std::size_t k) const {
  return Make(k, AddressOf(base_, k).value_or(Ipv4Address()));
}

Printer PrinterGenerator::Make(std::size_t k, Ipv4Address address) const {
  const std::size_t serial = k + 1;
  Printer printer;
  printer.address = address;
  printer.mac = MacOf(serial);
  printer.name = Format("Lumen Desk %04lu", serial);
  printer.model = kModels[k % kModels.size()];
  printer.subnetMask = subnetMask_;
  printer.gateway = gateway_;
  printer.dhcp = (k % 3 == 2) ? "1" : "0";
  return printer;
}

std::optional<std::vector<Printer>> PrinterGenerator::MakeAll(std::size_t count,
                                                              std::string& error) const {
  if (count > 0xFFFFFF) {
    error = "at most 16777215 printers can be generated";
    return std::nullopt;
  }
  std::vector<Printer> printers;
  printers.reserve(count);
  for (std::size_t k = 0; k < count; ++k) {
    const auto address = AddressOf(base_, k);
    if (!address) {
      error = "base address " + base_.ToString() + " cannot give " + std::to_string(count) +
              " addresses (its last octet must be 1..250)";
      return std::nullopt;
    }
    printers.push_back(Make(k, *address));
  }
  return printers;
}

}  // namespace printersim
