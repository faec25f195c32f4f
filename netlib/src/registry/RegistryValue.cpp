#include "registry/RegistryValue.h"

#include "messaging/Utf16.h"

namespace corvane::detail {

RegistryValue RegistryValue::Text(const std::wstring& text) {
  RegistryValue value{kRegSz, {}};
  for (char16_t unit : ToUtf16(text)) {
    value.data.push_back(static_cast<BYTE>(unit & 0xFF));
    value.data.push_back(static_cast<BYTE>(unit >> 8));
  }
  value.data.insert(value.data.end(), {0, 0});
  return value;
}

RegistryValue RegistryValue::Number(DWORD dwValue) {
  return RegistryValue{kRegDword,
                       {static_cast<BYTE>(dwValue), static_cast<BYTE>(dwValue >> 8),
                        static_cast<BYTE>(dwValue >> 16), static_cast<BYTE>(dwValue >> 24)}};
}

std::wstring RegistryValue::AsText() const {
  std::u16string units;
  for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
    const auto unit = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    if (unit == 0) break;
    units.push_back(unit);
  }
  return FromUtf16(units.data(), units.size());
}

std::optional<DWORD> RegistryValue::AsNumber() const {
  if (dwType != kRegDword || data.size() < 4) return std::nullopt;
  return data[0] | (data[1] << 8) | (data[2] << 16) | (static_cast<DWORD>(data[3]) << 24);
}

}  // namespace corvane::detail
