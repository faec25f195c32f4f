#pragma once
// One value of the registry store: its type number and its data bytes as the
// registry keeps them (text as UTF-16LE with a terminating zero unit, a
// 32-bit number as four little-endian bytes).
#include <corvane/CorvaneTypes.h>

#include <optional>
#include <string>
#include <vector>

namespace corvane::detail {

constexpr DWORD kRegNone = 0;
constexpr DWORD kRegSz = 1;
constexpr DWORD kRegExpandSz = 2;
constexpr DWORD kRegBinary = 3;
constexpr DWORD kRegDword = 4;

struct RegistryValue {
  DWORD dwType = kRegNone;
  std::vector<BYTE> data;

  static RegistryValue Text(const std::wstring& text);
  static RegistryValue Number(DWORD dwValue);
  // The text of a string value up to its first zero unit.
  std::wstring AsText() const;
  // The number of a 32-bit value (its first four bytes); none for another type.
  std::optional<DWORD> AsNumber() const;

  bool operator==(const RegistryValue&) const = default;
};

}  // namespace corvane::detail
