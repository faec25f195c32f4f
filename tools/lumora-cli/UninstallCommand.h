#pragma once
// lumora-cli uninstall QUEUE: removes a printer's CUPS queue and its
// protocol key from the registry store.
#include "CliCommand.h"

#include <string>

class UninstallCommand : public CliCommand {
 public:
  std::string Name() const override { return "uninstall"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

 private:
  std::string m_strQueue;
};
