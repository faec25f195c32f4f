#pragma once
// Where the registry values live. A store answers look-ups by full key path
// ("HKEY_LOCAL_MACHINE\SOFTWARE\...") and value name (empty: the key's
// default value). RegistryFileStore reads one file in the registry export
// format; further kinds (a per-user store layered over the system's, a
// writable one) are further implementations of the same interface.
#include <memory>
#include <string>

#include "registry/RegistryDocument.h"
#include "registry/RegistryValue.h"

namespace corvane::detail {

enum class RegistryLookup { kFound, kNoKey, kNoValue, kUnreadable };

class RegistryStore {
 public:
  virtual ~RegistryStore() = default;
  virtual RegistryLookup FindValue(const std::wstring& strKeyPath, const std::wstring& strName,
                                   RegistryValue& value) const = 0;
  virtual RegistryLookup FindKey(const std::wstring& strKeyPath) const = 0;

  // The machine's store: the file CORVANE_REGISTRY names, else
  // /etc/corvane/registry.reg.
  static std::unique_ptr<RegistryStore> System();
  static std::string SystemPath();
};

class RegistryFileStore : public RegistryStore {
 public:
  explicit RegistryFileStore(std::string strPath) : m_strPath(std::move(strPath)) {}

  RegistryLookup FindValue(const std::wstring& strKeyPath, const std::wstring& strName,
                           RegistryValue& value) const override;
  RegistryLookup FindKey(const std::wstring& strKeyPath) const override;

  // The file's keys and values, read for reading only; an absent file is an
  // empty store. False when the file cannot be read or parsed (the reason is
  // traced).
  bool Load(RegistryDocument& document) const;

 private:
  std::string m_strPath;
};

}  // namespace corvane::detail
