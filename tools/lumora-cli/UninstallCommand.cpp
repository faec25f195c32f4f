#include "UninstallCommand.h"

#include "CPrinterInstaller.h"
#include "CliExit.h"

#include <CLI/CLI.hpp>

#include <iostream>

std::string UninstallCommand::Summary() const {
  return "Remove the CUPS queue QUEUE and its protocol key from every registry store that "
         "holds it (the user's, and the system's when writable). Needs the rights of a "
         "printer administrator.";
}

void UninstallCommand::AddOptions(CLI::App& sub) {
  sub.add_option("queue", m_strQueue, "The queue's name")->required();
}

int UninstallCommand::Run() {
  const CPrinterInstaller::Result result = CPrinterInstaller::Uninstall(m_strQueue);
  switch (result.code) {
    case CPrinterInstaller::Code::kDone:
      std::cout << result.strMessage << "\n";
      return CliExit::kOk;
    case CPrinterInstaller::Code::kInvalid:
      std::cerr << "lumora-cli: " << result.strMessage << "\n";
      return CliExit::kUsage;
    default:
      std::cerr << "lumora-cli: " << result.strMessage << "\n";
      return CliExit::kFailed;
  }
}
