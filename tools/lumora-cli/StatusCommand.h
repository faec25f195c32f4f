#pragma once
// lumora-cli status QUEUE [--json] [--watch SECONDS]: every value an
// installed printer tells through the printer link's read-only functions.
#include "CliCommand.h"

#include <string>

class StatusCommand : public CliCommand {
 public:
  std::string Name() const override { return "status"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

 private:
  std::string m_strQueue;
  bool m_bJson = false;
  unsigned m_uiWatchSeconds = 0;
};
