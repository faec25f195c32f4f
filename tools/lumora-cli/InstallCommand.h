#pragma once
// lumora-cli install: finds a printer by its address or MAC address and
// installs it for printing and for the printer link (a CUPS queue and the
// protocol key in the registry store).
#include "CPrinterInstaller.h"
#include "CliCommand.h"

#include <filesystem>
#include <optional>
#include <string>

class InstallCommand : public CliCommand {
 public:
  std::string Name() const override { return "install"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

  const CPrinterInstaller::Request& GetRequest() const { return m_Request; }

 private:
  std::string m_strIp;
  std::string m_strMac;
  std::string m_strProtocol = "udp";
  std::optional<std::filesystem::path> m_iniPath;
  CPrinterInstaller::Request m_Request;
};
