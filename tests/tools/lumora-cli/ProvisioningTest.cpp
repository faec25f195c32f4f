// set --from-csv before anything is sent: the file's faults, and the plan
// made of its rows and the discovered printers.
#include "CSettingsCheck.h"
#include "ProvisioningFile.h"
#include "ProvisioningPlan.h"

#include <gtest/gtest.h>

namespace {

constexpr const char* kHeader = "mac,ip,mask,gateway,name,dhcp\n";

_DeviceInfo Printer(int i) {
  _DeviceInfo d;
  d.strName = L"Lumen Desk 000" + std::to_wstring(i);
  d.strMacAddress = L"02-51-4D-00-00-0" + std::to_wstring(i);
  d.strIpAddress = L"10.77.16." + std::to_wstring(i);
  d.strSubnetMask = L"255.255.0.0";
  d.strGateway = L"10.77.0.1";
  d.strDhcp = L"0";
  return d;
}

std::vector<PlannedRow> Plan(const std::string& body, bool bForce = false) {
  std::vector<ProvisioningRow> rows;
  std::string error;
  EXPECT_TRUE(ProvisioningFile::Parse(kHeader + body, rows, error)) << error;
  const CSettingsCheck check({}, nullptr);
  return ProvisioningPlan::Make(rows, {Printer(1), Printer(2), Printer(3)}, check, bForce);
}

}  // namespace

TEST(ProvisioningFile, FaultsAreNamedAndRefuseTheWholeFile) {
  const std::pair<std::string, std::string> cases[] = {
      {"", "the file is empty: it needs a header line such as mac,ip,mask,gateway,name,dhcp"},
      {"mac,ip,colour\n", "line 1: unknown column 'colour' (the columns are mac, ip, mask, gateway, name, dhcp)"},
      {"ip,name\n", "line 1: the header has no column 'mac'"},
      {"mac,ip,IP\n", "line 1: the column 'ip' is named twice"},
      {"mac,ip\n", "the file names no printer: only a header line"},
      {"mac,ip\n02-51-4D-00-00-01\n", "line 2: 1 fields, the header has 2"},
      {"mac,ip\n02-51-4D-00-00-01,10.0.0.1\n02:51:4D:00:00,10.0.0.2\n",
       "line 3: '02:51:4D:00:00' is no MAC address (12 hex digits, e.g. 02:51:4D:00:00:01)"},
      {"mac,ip\n02-51-4D-00-00-01,10.0.0.1\n02514d000001,10.0.0.2\n",
       "line 3: the MAC address 02514d000001 is already on line 2"},
      {"mac,dhcp\n02-51-4D-00-00-01,yes\n", "line 2: dhcp must be 1, 0 or empty, not 'yes'"},
      {std::string("mac\n\x7F" "ELF\x02\x01\x01\0\0", 13), "line 2: not text (a zero byte or invalid UTF-8)"}};
  for (const auto& [text, message] : cases) {
    std::vector<ProvisioningRow> rows;
    std::string error;
    EXPECT_FALSE(ProvisioningFile::Parse(text, rows, error)) << message;
    EXPECT_EQ(error, message);
  }
}

TEST(ProvisioningPlan, RowsKeepWhatTheyLeaveOutAndSayWhyTheyCannot) {
  const auto plan = Plan(
      " 02:51:4d:00:00:01 ,10.77.50.1,,,\"Hall, \"\"A\"\"\",\n"
      "02-51-4D-00-00-02,,,,,0\n"          // nothing new
      "02-51-4D-00-00-03,10.77.50.1,,,,\n"  // the address of line 2
      "02-51-4D-00-00-09,10.77.50.9,,,,\n");  // not found
  ASSERT_EQ(plan.size(), 4u);
  EXPECT_EQ(plan[0].proposed, (CPrinterSettings{L"Hall, \"A\"", L"10.77.50.1", L"255.255.0.0",
                                                L"10.77.0.1", L""}));
  EXPECT_EQ(plan[0].strCannot, L"the address 10.77.50.1 is also given on line 4");
  EXPECT_EQ(ProvisioningPlan::Describe(plan[0]),
            "line 2, 02:51:4d:00:00:01: ip 10.77.16.1 \u2192 10.77.50.1, name \"Lumen Desk 0001\" "
            "\u2192 \"Hall, \"A\"\"; cannot: the address 10.77.50.1 is also given on line 4\n");
  EXPECT_TRUE(plan[1].Unchanged());
  EXPECT_EQ(ProvisioningPlan::Describe(plan[1]), "line 3, 02-51-4D-00-00-02: no change\n");
  EXPECT_EQ(plan[2].strCannot, L"the address 10.77.50.1 is also given on line 2");
  EXPECT_EQ(ProvisioningPlan::Describe(plan[3]),
            "line 5, 02-51-4D-00-00-09: cannot: no printer with this MAC address answered the "
            "discovery\n");
}

TEST(ProvisioningPlan, CheckErrorsStopARowUnlessForced) {
  const std::string row = "02-51-4D-00-00-01,10.77.50.1,255.0.255.0,,,1\n";
  const auto plan = Plan(row);
  EXPECT_EQ(plan[0].strCannot, L"the check found an error");
  ASSERT_FALSE(plan[0].findings.empty());
  EXPECT_TRUE(plan[0].findings[0].IsError());
  EXPECT_TRUE(Plan(row, true)[0].Sendable());
  EXPECT_EQ(ProvisioningPlan::Changes(std::nullopt, plan[0].proposed),
            "ip 10.77.50.1, mask 255.0.255.0, gateway 10.77.0.1, name \"Lumen Desk 0001\", dhcp 1");
}
