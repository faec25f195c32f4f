#pragma once
// The command line of lumora-cli: every subcommand, the parsing of the
// arguments into one of them, help and usage errors.
#include "CliCommand.h"

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace CLI {
class App;
}

class CliProgram {
 public:
  CliProgram();
  ~CliProgram();
  CliProgram(const CliProgram&) = delete;
  CliProgram& operator=(const CliProgram&) = delete;

  // Parses the arguments after the program name. nullopt when a command was
  // chosen (Selected() runs it); otherwise the exit status, after the help
  // went to out or a usage error, prefixed "lumora-cli: ", to err.
  std::optional<int> Parse(const std::vector<std::string>& args, std::ostream& out,
                           std::ostream& err);
  // The command the last Parse chose, or null.
  CliCommand* Selected() const;
  // The registered command of type T (for tests of its options).
  template <class T>
  T* Find() const {
    for (const auto& entry : m_Commands)
      if (auto* p = dynamic_cast<T*>(entry.second.get())) return p;
    return nullptr;
  }

  // Parses and runs; the program's exit status.
  int Run(int argc, char** argv);

 private:
  template <class T>
  void Register();

  std::unique_ptr<CLI::App> m_pApp;
  std::vector<std::pair<CLI::App*, std::unique_ptr<CliCommand>>> m_Commands;
  CLI::App* m_pHelp = nullptr;
};
