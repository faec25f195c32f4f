#pragma once
// An IPv4 address held as a number, first octet most significant.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace printersim {

class Ipv4Address {
 public:
  constexpr Ipv4Address() = default;
  constexpr explicit Ipv4Address(std::uint32_t value) : value_(value) {}

  // Strict dotted-decimal: four parts of 1 to 3 digits, each 0..255,
  // without leading zeros.
  static std::optional<Ipv4Address> Parse(std::string_view text);
  std::string ToString() const;

  constexpr std::uint32_t value() const { return value_; }
  friend constexpr bool operator==(Ipv4Address, Ipv4Address) = default;

 private:
  std::uint32_t value_ = 0;
};

inline constexpr Ipv4Address kLimitedBroadcast{0xFFFFFFFFu};

}  // namespace printersim
