#pragma once
// Options that several lumora-cli commands share, declared in one place so
// that they read and behave alike everywhere.
#include <filesystem>
#include <optional>

namespace CLI {
class App;
}

class CliOptionHelp {
 public:
  // --ini FILE: the settings file instead of lumora.ini beside lumora.
  static void AddIni(CLI::App& sub, std::optional<std::filesystem::path>& iniPath);
};
