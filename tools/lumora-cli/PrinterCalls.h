#pragma once
// The printer functions of corvane by their exported names, for
// `lumora-cli printer`: each call runs one function on a printer queue and
// gives its result code and what to print about the answer.
#include <corvane/CorvaneTypes.h>

#include <optional>
#include <string>
#include <vector>

class PrinterCalls {
 public:
  struct Outcome {
    DWORD dwResult = 0;
    std::vector<std::string> lines;  // "value=..." or "answer=..."
  };

  // The names of all functions, in the order of the library's header.
  static std::vector<std::string> Names();
  // Runs the function `name` with its arguments; nullopt with `error` for an
  // unknown name or unusable arguments (nothing is sent then).
  static std::optional<Outcome> Run(const std::string& name, const std::wstring& strPrinter,
                                    const std::vector<std::string>& args, std::string& error);
};
