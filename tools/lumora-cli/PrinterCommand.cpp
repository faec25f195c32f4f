#include "PrinterCommand.h"

#include "CliExit.h"
#include "CliText.h"
#include "PrinterCalls.h"

#include <CLI/CLI.hpp>
#include <corvane/DebugTrace.h>

#include <iostream>

std::string PrinterCommand::Summary() const {
  std::string names;
  for (const std::string& name : PrinterCalls::Names()) names += (names.empty() ? "" : ", ") + name;
  return "Run one printer function on the printer queue NAME: protocol (registry store), address "
         "and port (the queue's port) as corvane finds them. Prints result=<code>, then "
         "value=<decoded value> or answer=<bytes> when there is one. Functions: " +
         names +
         ". SendEnDisRecyclePrnEth takes 0 or 1; SendReceiveDataEth takes the request as hex "
         "bytes and the expected answer length (e.g. 1D4903 4). Exit status 0 only for result 0.";
}

void PrinterCommand::AddOptions(CLI::App& sub) {
  sub.add_option("name", m_strPrinter, "Printer queue name")->required();
  sub.add_option("function", m_strFunction, "Function name, e.g. GetStatusEth")->required();
  sub.add_option("args", m_args, "Arguments of the function");
  sub.add_flag("--trace", m_bTrace, "Write the library's trace lines to standard error");
}

int PrinterCommand::Run() {
  if (m_bTrace) {
    // Line ends kept, other control characters made visible.
    corvane::SetDebugTraceSink([](const std::wstring& line) {
      std::size_t start = 0;
      for (std::size_t end; (end = line.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        std::cerr << CliText::Display(line.substr(start, end - start)) << '\n';
      std::cerr << CliText::Display(line.substr(start)) << std::flush;
    });
  }
  std::string error;
  const std::wstring printer(m_strPrinter.begin(), m_strPrinter.end());
  const auto outcome = PrinterCalls::Run(m_strFunction, printer, m_args, error);
  if (!outcome) {
    std::cerr << "lumora-cli: " << error << "\n";
    return CliExit::kUsage;
  }
  std::cout << "result=" << outcome->dwResult << "\n";
  for (const std::string& line : outcome->lines) std::cout << line << "\n";
  return outcome->dwResult == 0 ? CliExit::kOk : CliExit::kFailed;
}
