#pragma once
// The settings lumora would read, printed in the INI file's own form.
#include <filesystem>
#include <string>

class CLumoraApp;

class SettingsReport {
 public:
  // strSource: the INI file the values came from, or empty for the defaults
  // (missing names the file that was looked for).
  static std::string Text(const CLumoraApp& app, const std::filesystem::path& source,
                          const std::filesystem::path& missing);
};
