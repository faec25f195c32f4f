#pragma once
// One change to a registry store: a value set (its key added when missing),
// or a key removed with every key below it.
#include <string>

#include "registry/RegistryValue.h"

namespace corvane::detail {

struct RegistryEdit {
  enum class Kind { kSetValue, kDeleteKey };

  Kind kind = Kind::kSetValue;
  std::wstring strKeyPath;  // full path, root name first
  std::wstring strName;     // value name; empty: the key's default value
  RegistryValue value;

  static RegistryEdit SetValue(std::wstring strKeyPath, std::wstring strName, RegistryValue value) {
    return {Kind::kSetValue, std::move(strKeyPath), std::move(strName), std::move(value)};
  }
  static RegistryEdit DeleteKey(std::wstring strKeyPath) {
    return {Kind::kDeleteKey, std::move(strKeyPath), {}, {}};
  }
};

}  // namespace corvane::detail
