#pragma once
// Asks an installed printer, named by its print queue, for every value the
// read-only functions of the printer link tell, one exchange after the
// other on the caller's thread (a window runs it off its own thread). The
// reading ends early when going on cannot help: the queue is not set up
// for the link, another program holds the printer (busy, result 16), or two
// values in a row got no contact with the printer.
#include "CPrinterStatus.h"

#include <functional>
#include <string>

class CPrinterStatusReader {
 public:
  explicit CPrinterStatusReader(std::string strQueue) : m_strQueue(std::move(strQueue)) {}

  // shouldStop is asked before every value; true ends the reading.
  CPrinterStatus Read(const std::function<bool()>& shouldStop = nullptr) const;

  // The values in the order they are asked, none asked yet.
  static std::vector<CPrinterStatus::Value> Blank();

 private:
  bool CheckSetUp(CPrinterStatus& status) const;
  static DWORD Ask(const std::wstring& strQueue, std::size_t uiIndex, CPrinterStatus::Value& value);

  std::string m_strQueue;
};
