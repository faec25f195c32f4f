#pragma once
// Where the registry values live. A store answers look-ups by full key path
// ("HKEY_LOCAL_MACHINE\SOFTWARE\...") and value name (empty: the key's
// default value). RegistryFileStore reads and changes one file in the
// registry export format; RegistryLayeredStore lays the user's file over the
// system's.
#include <memory>
#include <string>
#include <vector>

#include "registry/RegistryEdit.h"

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

  // The store reads go to: the file CORVANE_REGISTRY names when it is set,
  // else the user's file laid over the system's.
  static std::unique_ptr<RegistryStore> Default();
  // The file of CORVANE_REGISTRY; empty when it is not set.
  static std::string EnvironmentPath();
  // /etc/corvane/registry.reg.
  static std::string SystemPath();
  // $XDG_CONFIG_HOME/corvane/registry.reg ($XDG_CONFIG_HOME when absolute,
  // else $HOME/.config); empty when neither is known.
  static std::string UserPath();
  // The user's file over the system's (the system's alone without a user
  // file path).
  static std::unique_ptr<RegistryStore> Layered(const std::string& strUserPath,
                                                const std::string& strSystemPath);
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

  // Makes the changes in the file (creating it and its folder when missing),
  // keeping every other line as it was, and replaces the file atomically.
  // A store that cannot be read is not touched. False with the reason.
  bool Apply(const std::vector<RegistryEdit>& edits, std::string& reason) const;
  const std::string& Path() const { return m_strPath; }

 private:
  std::string m_strPath;
};

}  // namespace corvane::detail
