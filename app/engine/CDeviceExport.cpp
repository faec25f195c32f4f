#include "CDeviceExport.h"

#include "CCsv.h"
#include "CDeviceTable.h"
#include "EnginePlatform.h"

namespace {

std::vector<std::string> Fields(const _DeviceInfo& d) {
  using EnginePlatform::WideToUtf8;
  return {WideToUtf8(d.strName),       WideToUtf8(d.strModel),      WideToUtf8(d.strIpAddress),
          WideToUtf8(d.strSubnetMask), WideToUtf8(d.strMacAddress), WideToUtf8(d.strGateway),
          WideToUtf8(d.strDhcp)};
}

}  // namespace

const std::vector<std::string>& CDeviceExport::Keys() {
  static const std::vector<std::string> keys = {"name", "model", "ip", "subnet_mask",
                                                "mac",  "gateway", "dhcp"};
  return keys;
}

nlohmann::json CDeviceExport::Object(const _DeviceInfo& device) {
  nlohmann::json object = nlohmann::json::object();
  const std::vector<std::string> fields = Fields(device);
  for (std::size_t i = 0; i < fields.size(); ++i) object[Keys()[i]] = fields[i];
  object["image"] = device.dwImage;
  return object;
}

nlohmann::json CDeviceExport::Array(const CDeviceTable& table) {
  nlohmann::json devices = nlohmann::json::array();
  for (DWORD i = 0; i < table.GetDeviceCount(); ++i) devices.push_back(Object(*table.GetDevice(i)));
  return devices;
}

std::string CDeviceExport::Json(const CDeviceTable& table) {
  return Array(table).dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string CDeviceExport::Csv(const CDeviceTable& table) {
  std::string text = CCsv::Line(Keys());
  for (DWORD i = 0; i < table.GetDeviceCount(); ++i) text += CCsv::Line(Fields(*table.GetDevice(i)));
  return text;
}
