#include "Ipv4Address.h"

#include <charconv>

namespace printersim {

std::optional<Ipv4Address> Ipv4Address::Parse(std::string_view text) {
  std::uint32_t value = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (text.empty() || text.front() != '.') return std::nullopt;
      text.remove_prefix(1);
    }
    std::size_t digits = 0;
    while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
    // A leading zero reads as octal to some parsers: refuse it rather than guess.
    if (digits == 0 || digits > 3 || (digits > 1 && text[0] == '0')) return std::nullopt;
    unsigned octet = 0;
    std::from_chars(text.data(), text.data() + digits, octet);
    if (octet > 255) return std::nullopt;
    value = (value << 8) | octet;
    text.remove_prefix(digits);
  }
  if (!text.empty()) return std::nullopt;
  return Ipv4Address(value);
}

std::string Ipv4Address::ToString() const {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) text += '.';
    text += std::to_string((value_ >> shift) & 0xFF);
  }
  return text;
}

}  // namespace printersim
