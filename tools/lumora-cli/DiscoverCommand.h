#pragma once
// lumora-cli discover: one whole discovery on lumora's engine, its settings
// and its log; prints the printers found.
#include "CliCommand.h"

#include <filesystem>
#include <optional>

class CDeviceTable;

class DiscoverCommand : public CliCommand {
 public:
  struct Options {
    std::optional<std::filesystem::path> iniPath;  // --ini FILE
    bool bJson = false;                            // --json
    bool bDebug = false;                           // --debug
    unsigned uRepeat = 1;                          // --repeat N
  };

  std::string Name() const override { return "discover"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

  const Options& GetOptions() const { return m_Options; }

 private:
  // One run's table on standard output; with bOneLine a JSON array on one line.
  void PrintTable(const CDeviceTable& table, bool bOneLine) const;

  Options m_Options;
};
