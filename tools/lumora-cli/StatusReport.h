#pragma once
// The output of lumora-cli status: one table or one JSON object with every
// value a printer told, and, for --watch, only what changed since the last
// reading.
#include "CPrinterStatus.h"

#include <nlohmann/json.hpp>

#include <string>

class StatusReport {
 public:
  static std::string Text(const CPrinterStatus& status);
  static nlohmann::json Json(const CPrinterStatus& status);
  // Lines "hh:mm:ss  Label: old -> new", one per changed value or state;
  // empty when nothing changed.
  static std::string ChangesText(const CPrinterStatus& before, const CPrinterStatus& now,
                                 const std::string& strTime);
  // {"time": ..., "state": ... (when changed), "values": {changed only}};
  // null when nothing changed.
  static nlohmann::json ChangesJson(const CPrinterStatus& before, const CPrinterStatus& now,
                                    const std::string& strTime);

 private:
  static nlohmann::json ValueJson(const CPrinterStatus::Value& value);
  static std::string StateName(CPrinterStatus::State state);
};
