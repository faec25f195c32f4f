#pragma once
// The keys and values of one registry store, as read from its text form.
// Key paths start with the root's name ("HKEY_LOCAL_MACHINE\SOFTWARE\..."),
// names compare without regard to ASCII case, and the spelling and order in
// which keys and values first appeared are kept, so that the document can be
// written back in its own form.
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "registry/RegistryValue.h"

namespace corvane::detail {

class RegistryDocument {
 public:
  struct NamedValue {
    std::wstring strName;  // empty: the key's default value ("@")
    RegistryValue value;
  };
  struct Key {
    std::wstring strPath;
    std::vector<NamedValue> values;
  };

  // Adds the key (and nothing else) if it is not there yet.
  Key& Touch(const std::wstring& strPath);
  // Sets or replaces a value, adding its key.
  void SetValue(const std::wstring& strPath, const std::wstring& strName, RegistryValue value);
  void DeleteValue(const std::wstring& strPath, const std::wstring& strName);
  // Removes the key and every key below it.
  void DeleteKey(const std::wstring& strPath);

  const Key* FindKey(const std::wstring& strPath) const;
  const RegistryValue* FindValue(const std::wstring& strPath, const std::wstring& strName) const;
  const std::vector<Key>& Keys() const { return m_keys; }

  // The form paths and names are compared in.
  static std::wstring Fold(const std::wstring& text);

 private:
  std::optional<std::size_t> IndexOf(const std::wstring& strPath) const;
  void Reindex();

  std::vector<Key> m_keys;
  std::map<std::wstring, std::size_t> m_index;  // folded path -> position
};

}  // namespace corvane::detail
