#pragma once
// The device list as files for other programs: CSV with a header line, or
// JSON, one object per printer, with the same keys in both ("name",
// "model", "ip", "subnet_mask", "mac", "gateway", "dhcp"; JSON adds the
// list image number as "image"). The window's export and lumora-cli's
// output share it.
#include "_DeviceInfo.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

class CDeviceTable;

class CDeviceExport {
 public:
  // The seven keys, in column order.
  static const std::vector<std::string>& Keys();

  // One printer as a JSON object.
  static nlohmann::json Object(const _DeviceInfo& device);
  // Every device of the table as an array of Object()s, in table order.
  static nlohmann::json Array(const CDeviceTable& table);
  // Array(), two-blank indented, with a final line end.
  static std::string Json(const CDeviceTable& table);
  // A header line of the keys, then one line per printer (RFC 4180, CR LF).
  static std::string Csv(const CDeviceTable& table);
};
