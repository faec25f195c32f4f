#pragma once
// The settings a command runs with: lumora's INI file (beside the lumora
// executable, else the user's, else the system's; the defaults when there is
// none), or the file --ini names.
#include "CConfigurationExchange.h"
#include "CDiscoverySettings.h"

#include <filesystem>
#include <optional>
#include <string>

class CLumoraApp;

class CliSettings {
 public:
  // The lumora executable whose INI file and log the commands share: it is
  // installed in the same directory as lumora-cli.
  static std::filesystem::path LumoraExecutable();

  // Reads the settings into app; source becomes the file they came from,
  // empty for the defaults. False with a message for an --ini file that
  // cannot be read.
  static bool Load(const std::optional<std::filesystem::path>& iniPath, CLumoraApp& app,
                   std::filesystem::path& source, std::string& error);

  // Load for a command that needs no source: false after the message went to
  // standard error.
  static bool LoadOrReport(const std::optional<std::filesystem::path>& iniPath, CLumoraApp& app);

  // The part of the settings a discovery runs with.
  static CDiscoverySettings DiscoveryOf(const CLumoraApp& app);
  // The part the SET command and the framed queries run with.
  static CConfigurationSettings ConfigurationOf(const CLumoraApp& app);
};
