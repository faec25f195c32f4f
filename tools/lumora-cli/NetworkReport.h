#pragma once
// The discovery report as JSON, beside the printers (lumora-cli discover
// --report --json); the text form is the engine's DiscoveryReportText.
#include "CDiscoveryReportData.h"

#include <nlohmann/json.hpp>

#include <string>

class CDeviceTable;

class NetworkReport {
 public:
  // {"devices": [...], "report": {...}}, two-blank indented, final line end.
  static std::string Json(const CDeviceTable& table, const CDiscoveryReportData& report);
  static nlohmann::json Object(const CDiscoveryReportData& report);
};
