#pragma once
// The device table as lumora-cli prints it: a text table or a JSON array.
#include <string>

class CDeviceTable;

class DeviceReport {
 public:
  static std::string Text(const CDeviceTable& table);
  static std::string Json(const CDeviceTable& table);
};
