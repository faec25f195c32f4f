#pragma once
// lumora-cli settings: the settings lumora would read, in INI form.
#include "CliCommand.h"

#include <filesystem>
#include <optional>

class SettingsCommand : public CliCommand {
 public:
  std::string Name() const override { return "settings"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

  const std::optional<std::filesystem::path>& GetIniPath() const { return m_iniPath; }

 private:
  std::optional<std::filesystem::path> m_iniPath;
};
