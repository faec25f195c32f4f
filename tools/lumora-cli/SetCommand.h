#pragma once
// lumora-cli set: the SET command of lumora's configuration dialog: sends a
// printer, named by its MAC address, a new name, IP address, subnet mask,
// gateway and DHCP setting, and prints whether it confirmed.
#include "CliCommand.h"

#include <corvane/CorvaneTypes.h>

#include <filesystem>
#include <optional>
#include <string>

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
  };
  // The longest printer name the configuration dialog lets through.
  static constexpr size_t kMaxName = 16;

  std::string Name() const override { return "set"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

  const Options& GetOptions() const { return m_Options; }

 private:
  Options m_Options;
};
