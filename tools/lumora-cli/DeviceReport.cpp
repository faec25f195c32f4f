#include "DeviceReport.h"

#include "CDeviceExport.h"
#include "CDeviceTable.h"
#include "CliText.h"

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

std::string DeviceReport::Json(const CDeviceTable& table) { return CDeviceExport::Json(table); }

std::string DeviceReport::JsonLine(const CDeviceTable& table) {
  return CDeviceExport::Array(table).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string DeviceReport::Csv(const CDeviceTable& table) { return CDeviceExport::Csv(table); }
