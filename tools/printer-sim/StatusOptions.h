#pragma once
// The command-line options of the status exchange (StatusSettings) and
// their help text.
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "StatusSettings.h"

namespace printersim {

class StatusOptions {
 public:
  using Setter = std::function<bool(StatusSettings&, std::string_view)>;
  using Flag = std::function<void(StatusSettings&)>;

  static const std::map<std::string_view, Setter>& ValueOptions();
  static const std::map<std::string_view, Flag>& Flags();
  static std::string Help();
};

}  // namespace printersim
