#pragma once
// The device table as lumora-cli prints it: a text table or a JSON array.
#include "_DeviceInfo.h"

#include <nlohmann/json.hpp>

#include <string>

class CDeviceTable;

class DeviceReport {
 public:
  static std::string Text(const CDeviceTable& table);
  // An array of Object()s, two-blank indented, with a final line end.
  static std::string Json(const CDeviceTable& table);
  // The same array on one line, with a final line end.
  static std::string JsonLine(const CDeviceTable& table);
  // One printer: "name", "model", "ip", "subnet_mask", "mac", "gateway",
  // "dhcp" (texts) and "image" (number).
  static nlohmann::json Object(const _DeviceInfo& device);
};
