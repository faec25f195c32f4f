#pragma once
// The settings lumora would read, printed in the INI file's own form.
#include <filesystem>
#include <string>
#include <vector>

class CLumoraApp;

class SettingsReport {
 public:
  // source: the INI file the values came from, or empty for the defaults
  // (searched names the files that were looked for).
  static std::string Text(const CLumoraApp& app, const std::filesystem::path& source,
                          const std::vector<std::filesystem::path>& searched);
};
