#pragma once
// The device table as lumora-cli prints it: a text table, a JSON array or CSV.
#include "_DeviceInfo.h"

#include <string>

class CDeviceTable;

class DeviceReport {
 public:
  static std::string Text(const CDeviceTable& table);
  // An array of one object per printer with the keys "name", "model", "ip",
  // "subnet_mask", "mac", "gateway", "dhcp" (texts) and "image" (number).
  static std::string Json(const CDeviceTable& table);
  // The same array on one line, with a final line end.
  static std::string JsonLine(const CDeviceTable& table);
  // The same seven texts as CSV under a header line of the keys.
  static std::string Csv(const CDeviceTable& table);
};
