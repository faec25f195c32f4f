#pragma once
// The discovery report as lumora-cli prints it after the printers: one
// block per interface the run used, the unicast and fill-in figures, the
// kernel's drops, and verdict lines that say why printers may be missing.
#include "CDiscoveryReportData.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

class CDeviceTable;

class NetworkReport {
 public:
  static std::string Text(const CDiscoveryReportData& report);
  // {"devices": [...], "report": {...}}, two-blank indented, final line end.
  static std::string Json(const CDeviceTable& table, const CDiscoveryReportData& report);
  static nlohmann::json Object(const CDiscoveryReportData& report);
  // The verdict lines, most telling first.
  static std::vector<std::string> Verdicts(const CDiscoveryReportData& report);
};
