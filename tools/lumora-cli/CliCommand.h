#pragma once
// One subcommand of lumora-cli: it declares its options on the subcommand
// CliProgram makes for it, and runs once they are parsed.
#include <string>

namespace CLI {
class App;
}

class CliCommand {
 public:
  virtual ~CliCommand() = default;

  virtual std::string Name() const = 0;
  virtual std::string Summary() const = 0;
  // Declares the options; the values land in members of the command.
  virtual void AddOptions(CLI::App& sub) = 0;
  // Runs the parsed command; returns the exit status (CliExit).
  virtual int Run() = 0;
};
