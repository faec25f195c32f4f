#include "CliOptionHelp.h"

#include <CLI/CLI.hpp>

void CliOptionHelp::AddIni(CLI::App& sub, std::optional<std::filesystem::path>& iniPath) {
  sub.add_option_function<std::string>(
         "--ini",
         [&iniPath](const std::string& value) {
           if (value.empty()) throw CLI::ValidationError("--ini", "needs a file name");
           iniPath = std::filesystem::path(value);
         },
         "Read the settings from FILE instead of lumora.ini in this program's directory "
         "(where lumora keeps it). A missing FILE is an error; a missing lumora.ini means "
         "the defaults.")
      ->type_name("FILE");
}
