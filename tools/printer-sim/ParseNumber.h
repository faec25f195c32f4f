#pragma once
// A command-line number: the whole text, within [min, max].
#include <charconv>
#include <string_view>
#include <system_error>

namespace printersim {

template <typename Number>
bool ParseNumber(std::string_view text, Number min, Number max, Number& out) {
  Number value{};
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  // Written so that a NaN fails the range test too.
  if (ec != std::errc() || end != text.data() + text.size() || !(value >= min && value <= max))
    return false;
  out = value;
  return true;
}

}  // namespace printersim
