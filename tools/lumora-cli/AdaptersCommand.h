#pragma once
// lumora-cli adapters: the IPv4 adapters corvane sees.
#include "CliCommand.h"

class AdaptersCommand : public CliCommand {
 public:
  std::string Name() const override { return "adapters"; }
  std::string Summary() const override;
  void AddOptions(CLI::App&) override {}
  int Run() override;
};
