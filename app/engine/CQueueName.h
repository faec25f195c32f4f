#pragma once
// Names of print-spooler queues for installed printers: letters, digits, '-'
// and '_', at most 127 characters, compared without regard to case (as CUPS
// compares them).
#include <string>
#include <vector>

class CQueueName {
 public:
  static constexpr std::size_t kMaxLength = 127;

  static bool IsValid(const std::string& strName);
  // A name from the printer's name, or its model when the name is not known
  // (or holds nothing usable), else "Printer": every run of other
  // characters becomes one '_', none at either end.
  static std::string FromPrinter(const std::wstring& strName, const std::wstring& strModel);
  // strBase when no queue of that name exists, else strBase_2, strBase_3, ...
  // (the base shortened where the suffix would not fit).
  static std::string FirstFree(const std::string& strBase, const std::vector<std::string>& taken);
  static bool SameName(const std::string& a, const std::string& b);
};
