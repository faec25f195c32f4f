#include "CDeviceTable.h"
#include "DeviceReport.h"
#include "RecordingOwner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

namespace {
// Printers that told only their MAC (02-00-00-00-00-0N for 10.77.16.N).
struct Table {
  explicit Table(std::initializer_list<const wchar_t*> ips) {
    for (const wchar_t* ip : ips) table.AddDeviceByMac(L"", L"", ip, L"", std::wstring(L"02-00-00-00-00-0") + ip[9]);
  }
  RecordingOwner owner;
  CDeviceTable table{owner};
};
}  // namespace

TEST(DeviceReport, TextHasHeaderAndOneLinePerDeviceInOrder) {
  EXPECT_EQ(DeviceReport::Text(Table({}).table),
            "NAME  MODEL  IP ADDRESS  SUBNET MASK  MAC ADDRESS  GATEWAY  DHCP\n");
  Table t({L"10.77.16.2", L"10.77.16.1"});
  CDeviceTable& table = t.table;
  table.UpdateNameByIp(L"Front desk", L"10.77.16.1");
  table.UpdateDhcpByIp(L"ON", L"10.77.16.1");
  const std::string text = DeviceReport::Text(table);
  const auto first = text.find("10.77.16.2");
  const auto second = text.find("10.77.16.1");
  ASSERT_NE(first, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_NE(text.find("Front desk  -|-|-  10.77.16.1  !*!*!        02-00-00-00-00-01           ON"),
            std::string::npos)
      << text;
}

TEST(DeviceReport, JsonArrayHasEveryKey) {
  Table t({L"10.77.16.1"});
  CDeviceTable& table = t.table;
  table.UpdateModelByIp(std::wstring(L"Q\"5") + wchar_t(0x1B) + wchar_t(0xE9), L"10.77.16.1");
  const auto parsed = nlohmann::json::parse(DeviceReport::Json(table));
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0], nlohmann::json({{"name", "-*-*-"}, {"model", "Q\"5\x1B\xC3\xA9"},
                                       {"ip", "10.77.16.1"}, {"subnet_mask", "!*!*!"},
                                       {"mac", "02-00-00-00-00-01"}, {"gateway", ""},
                                       {"dhcp", ""}, {"image", 1}}));
}
