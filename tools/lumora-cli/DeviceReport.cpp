#include "DeviceReport.h"

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

std::string DeviceReport::Json(const CDeviceTable& table) {
  std::string out = "[";
  for (DWORD i = 0; i < table.GetDeviceCount(); ++i) {
    const _DeviceInfo& d = *table.GetDevice(i);
    out += i == 0 ? "\n  {" : ",\n  {";
    out += "\"name\": " + CliText::JsonString(d.strName);
    out += ", \"model\": " + CliText::JsonString(d.strModel);
    out += ", \"ip\": " + CliText::JsonString(d.strIpAddress);
    out += ", \"subnet_mask\": " + CliText::JsonString(d.strSubnetMask);
    out += ", \"mac\": " + CliText::JsonString(d.strMacAddress);
    out += ", \"gateway\": " + CliText::JsonString(d.strGateway);
    out += ", \"dhcp\": " + CliText::JsonString(d.strDhcp);
    out += ", \"image\": " + std::to_string(d.dwImage) + "}";
  }
  return out + (table.GetDeviceCount() ? "\n]\n" : "]\n");
}
