#pragma once
// lumora-cli discover: one whole discovery on lumora's engine, its settings
// and its log; prints the printers found.
#include "CDiscoverySettings.h"
#include "CliCommand.h"

#include <corvane/CCNetInterfaces.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class CConsoleDiscoveryOwner;

class DiscoverCommand : public CliCommand {
 public:
  struct Options {
    std::optional<std::filesystem::path> iniPath;  // --ini FILE
    bool bJson = false;                            // --json
    bool bDebug = false;                           // --debug
    std::vector<std::string> interfaces;           // --iface NAME|all, repeatable
    std::vector<std::string> hosts;                // --host SPEC, repeatable
    bool bNoBroadcast = false;                     // --no-broadcast
    bool bReport = false;                          // --report
    unsigned uRepeat = 1;                          // --repeat N
    bool bCsv = false;                             // --csv
  };

  std::string Name() const override { return "discover"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

  const Options& GetOptions() const { return m_Options; }

  // The settings of the INI file with the options laid over them, checked
  // against the machine's interfaces; false with a message when the hosts
  // do not parse, an interface cannot be used, or nothing would be asked.
  static bool ApplyOptions(const Options& options,
                           const std::vector<CCNetInterfaces::Entry>& machine,
                           CDiscoverySettings& settings, std::string& error);

 private:
  // One run's printers (and report) on standard output; bRepeated: one of
  // several runs (a JSON array on one line, a table with an empty line after).
  void PrintRun(const CConsoleDiscoveryOwner& owner, bool bRepeated) const;

  Options m_Options;
};
