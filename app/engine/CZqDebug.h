#pragma once
// Trace sink of the thread wrapper. Its output goes nowhere: the lines exist
// for a debugger, and a released program has none attached.
#include <string>

class CZqDebug {
 public:
  void Output(const std::wstring& strLine) const { (void)strLine; }
};
