#pragma once
// lumora-cli set: the SET command of lumora's configuration dialog: sends a
// printer, named by its MAC address, a new name, IP address, subnet mask,
// gateway and DHCP setting, and prints whether it confirmed. Around it: a
// discovery that learns the printers' current settings, a check of the new
// ones before anything is sent, a look for the printer at its new address
// afterwards, and an entry in the change journal. With --from-csv it does
// the same for every row of a file.
#include "CliCommand.h"

#include <corvane/CorvaneTypes.h>

#include <filesystem>
#include <optional>
#include <string>

class SetSession;

class SetCommand : public CliCommand {
 public:
  struct Options {
    std::string mac;                               // --mac
    std::string ip;                                // --ip
    std::string mask;                              // --mask
    std::string gateway;                           // --gateway
    std::wstring name;                             // --name
    std::string dhcp;                              // --dhcp 1|0; empty: not sent
    DWORD dwAttempts = 1;                          // --attempts
    std::optional<std::filesystem::path> iniPath;  // --ini FILE
    bool bDebug = false;                           // --debug
    bool bCheck = false;                           // --check: findings only
    bool bForce = false;                           // --force: send despite errors
    bool bNoVerify = false;                        // --no-verify
    std::optional<std::filesystem::path> csvPath;  // --from-csv FILE
    bool bDryRun = false;                          // --dry-run (with --from-csv)
  };
  // The longest printer name the configuration dialog lets through.
  static constexpr size_t kMaxName = 16;

  std::string Name() const override { return "set"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

  const Options& GetOptions() const { return m_Options; }

 private:
  int RunOne(SetSession& session);

  Options m_Options;
};
