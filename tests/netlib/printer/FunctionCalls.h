#pragma once
// The twenty printer functions by name, each run once against a queue and
// described in one text: the result code, then the decoded value or the
// answer bytes ("0 1234", "0 0x01,0x02", "4096 0").
#include <string>
#include <vector>

namespace printer_test {

std::string Outcome(const std::string& strFunction, const std::wstring& strPrinter);

struct Expected {
  std::string function;
  std::string outcome;
};
// What every function gives against printer-sim's default answers.
std::vector<Expected> DefaultOutcomes();

}  // namespace printer_test
