#pragma once
// The twenty printer functions by name, each run once against a queue and
// described in one text: the result code, then the decoded value or the
// answer bytes ("0 1234", "0 0x01,0x02", "4096 0").
#include <functional>
#include <string>
#include <vector>

namespace printer_test {

// Each function with what it gives against printer-sim's default answers.
struct Call {
  std::string function;
  std::function<std::string(const std::wstring& strPrinter)> run;
  std::string byDefault;
};
const std::vector<Call>& Calls();

std::string Outcome(const std::string& strFunction, const std::wstring& strPrinter);

}  // namespace printer_test
