#pragma once
// The command line of lumora-cli: one command and its options.
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct CliOptions {
  enum class Command { kDiscover, kSettings, kAdapters, kHelp };

  Command command = Command::kHelp;
  std::optional<std::filesystem::path> iniPath;  // --ini FILE
  bool bJson = false;                            // --json
  bool bDebug = false;                           // --debug

  // Parses the arguments after the program name; nullopt with a message in
  // error for a usage error.
  static std::optional<CliOptions> Parse(const std::vector<std::string_view>& args,
                                         std::string& error);
  static const char* Help();
};
