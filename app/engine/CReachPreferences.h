#pragma once
// The operator's choices of the window's "Network interfaces..." and "Find
// printers by address...", remembered across runs of the program in a small
// INI file of the user's: $XDG_CONFIG_HOME/lumora/lumora-ui.ini (by default
// ~/.config/lumora/lumora-ui.ini), section [NETWORK], keys szInterfaces and
// szHosts with the texts of the same keys in lumora.ini. A key that is
// present, even empty, is a choice and is used in place of lumora.ini's
// value; a missing key leaves lumora.ini's value in force.
#include <filesystem>
#include <optional>
#include <string>

class CReachPreferences {
 public:
  static std::filesystem::path DefaultPath();

  explicit CReachPreferences(std::filesystem::path path = DefaultPath());

  // Reads the file; a missing or unreadable file leaves both choices unset.
  void Load();
  // Writes both choices (unset ones left out), replacing the file whole.
  // False with the reason when it cannot be written.
  bool Save(std::wstring& strError) const;

  const std::filesystem::path& GetPath() const { return m_Path; }

  std::optional<std::wstring> interfaces;
  std::optional<std::wstring> hosts;

  // What a run uses: the choice when made, else the INI file's value.
  std::wstring InterfacesOr(const std::wstring& strIni) const { return interfaces.value_or(strIni); }
  std::wstring HostsOr(const std::wstring& strIni) const { return hosts.value_or(strIni); }

 private:
  std::filesystem::path m_Path;
};
