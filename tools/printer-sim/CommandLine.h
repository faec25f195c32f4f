#pragma once
// Parses printer-sim's command line into SimOptions.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "SimOptions.h"

namespace printersim {

class CommandLine {
 public:
  // The options, or nullopt with `error` saying what is wrong.
  static std::optional<SimOptions> Parse(const std::vector<std::string_view>& args,
                                         std::string& error);
  static std::string Help();

 private:
  static std::string HelpText();
};

}  // namespace printersim
