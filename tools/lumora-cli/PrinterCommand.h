#pragma once
// lumora-cli printer NAME FUNCTION [ARGS...]: runs one of corvane's printer
// functions on a print-spooler queue and prints its result.
#include "CliCommand.h"

#include <string>
#include <vector>

class PrinterCommand : public CliCommand {
 public:
  std::string Name() const override { return "printer"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

 private:
  std::string m_strPrinter;
  std::string m_strFunction;
  std::vector<std::string> m_args;
  bool m_bTrace = false;
};
