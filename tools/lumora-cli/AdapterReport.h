#pragma once
// The adapters corvane sees, as lumora-cli prints them.
#include <string>

class CCNetCardInfo;

class AdapterReport {
 public:
  static std::string Text(const CCNetCardInfo& cards);
};
