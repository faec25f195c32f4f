#include "DeviceReport.h"

#include "CDeviceTable.h"
#include "CliText.h"
#include "EnginePlatform.h"

std::string DeviceReport::Text(const CDeviceTable& table) {
  std::vector<CliText::Row> rows;
  for (DWORD i = 0; i < table.GetDeviceCount(); ++i) {
    const _DeviceInfo& d = *table.GetDevice(i);
    rows.push_back({d.strName, d.strModel, d.strIpAddress, d.strSubnetMask, d.strMacAddress,
                    d.strGateway, d.strDhcp});
  }
  return CliText::Table(
      {L"NAME", L"MODEL", L"IP ADDRESS", L"SUBNET MASK", L"MAC ADDRESS", L"GATEWAY", L"DHCP"},
      rows);
}

nlohmann::json DeviceReport::Object(const _DeviceInfo& d) {
  using EnginePlatform::WideToUtf8;
  return {{"name", WideToUtf8(d.strName)},        {"model", WideToUtf8(d.strModel)},
          {"ip", WideToUtf8(d.strIpAddress)},     {"subnet_mask", WideToUtf8(d.strSubnetMask)},
          {"mac", WideToUtf8(d.strMacAddress)},   {"gateway", WideToUtf8(d.strGateway)},
          {"dhcp", WideToUtf8(d.strDhcp)},        {"image", d.dwImage}};
}

namespace {
nlohmann::json Array(const CDeviceTable& table) {
  nlohmann::json devices = nlohmann::json::array();
  for (DWORD i = 0; i < table.GetDeviceCount(); ++i)
    devices.push_back(DeviceReport::Object(*table.GetDevice(i)));
  return devices;
}
}  // namespace

std::string DeviceReport::Json(const CDeviceTable& table) { return Array(table).dump(2) + "\n"; }

std::string DeviceReport::JsonLine(const CDeviceTable& table) { return Array(table).dump() + "\n"; }
