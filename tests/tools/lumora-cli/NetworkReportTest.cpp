#include "CDeviceTable.h"
#include "DiscoverCommand.h"
#include "DiscoveryReportText.h"
#include "NetworkReport.h"
#include "RecordingOwner.h"

#include <gtest/gtest.h>

namespace {

CDiscoveryReportData SampleReport() {
  using Verdict = CDiscoveryReportData::Verdict;
  CDiscoveryReportData r;
  CDiscoveryReportData::Interface eth0{L"eth0", 2, L"10.77.0.2", L"255.255.0.0", L"10.77.255.255",
                                       13, 20, 2, {{L"192.168.7.50", L"02-00-00-00-00-09", L"LOBBY"}},
                                       Verdict::kOutsiders};
  CDiscoveryReportData::Interface eth1{L"eth1", 3, L"10.88.0.2", L"255.255.0.0", L"10.88.255.255",
                                       13, 0, 0, {}, Verdict::kNoAnswer};
  r.interfaces = {eth0, eth1};
  r.dwUnicastAddresses = 14;
  r.bDropsKnown = 1;
  r.dwKernelDrops = 3;
  r.fillInIncomplete = {2, 0};
  return r;
}

}  // namespace

TEST(NetworkReport, TextNamesOutsidersAndSaysWhyNothingCame) {
  const std::string text = DiscoveryReportText::Text(SampleReport());
  for (const char* line :
       {"eth0  address 10.77.0.2  mask 255.255.0.0  broadcast 10.77.255.255\n",
        "    192.168.7.50  MAC 02-00-00-00-00-09  name LOBBY\n",
        "verdict: eth0: 1 printer answered from outside 10.77.0.2 mask 255.255.0.0",
        "verdict: no answer on eth1: no printer there, or UDP port 15001 blocked by a firewall on "
        "this computer\n",
        "verdict: no answer from the 14 addresses asked by unicast",
        "verdict: the kernel dropped 3 answers", "fill-in  incomplete records per round: 2 0 (0 ms)\n"})
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
}

TEST(NetworkReport, JsonHoldsDevicesBesideTheReport) {
  RecordingOwner owner;
  CDeviceTable table(owner);
  table.AddDeviceByMac(L"", L"", L"10.77.16.1", L"", L"02-00-00-00-00-01");
  const auto parsed = nlohmann::json::parse(NetworkReport::Json(table, SampleReport()));
  ASSERT_EQ(parsed["devices"].size(), 1u);
  EXPECT_EQ(parsed["devices"][0]["ip"], "10.77.16.1");
  const auto& report = parsed["report"];
  EXPECT_EQ(report["interfaces"][0]["outside_subnet"][0]["ip"], "192.168.7.50");
  EXPECT_EQ(report["interfaces"][1]["verdict"], "no_answer");
  EXPECT_EQ(report["kernel_drops"], 3);
  EXPECT_EQ(report["unicast"]["addresses"], 14);
  EXPECT_EQ(NetworkReport::Object(CDiscoveryReportData{})["kernel_drops"], nullptr);
}

TEST(DiscoverOptions, OptionsOverTheIniAndTheirErrors) {
  CCNetInterfaces::Entry eth0 = CCNetInterfaces::MakeEntry(L"eth0", 2, 0x0A4D0002, 0xFFFF0000);
  eth0.bUp = eth0.bBroadcast = 1;
  CDiscoverySettings settings;
  auto apply = [&](std::vector<std::string> ifaces, std::vector<std::string> hosts, bool bNoBroadcast) {
    std::string error;
    settings = {};
    DiscoverCommand::ApplyOptions({{}, false, false, ifaces, hosts, bNoBroadcast, false}, {eth0},
                                  settings, error);
    return error;
  };
  // Options that apply: LanReach runs with each.
  EXPECT_EQ(apply({"eth0"}, {"10.20.0.0/30", "10.30.0.5"}, true), "");
  EXPECT_EQ(settings.strHosts, L"10.20.0.0/30,10.30.0.5");  // joined as lumora.ini holds them
  const std::pair<std::string, const char*> errors[] = {
      {apply({}, {"10.20.0.0/19"}, false), "'10.20.0.0/19' holds 8190 addresses"},
      {apply({"eth7"}, {}, false), "no IPv4 interface named 'eth7'"},
      {apply({}, {}, true), "--no-broadcast leaves nothing to ask"}};
  for (const auto& [error, expected] : errors) EXPECT_NE(error.find(expected), std::string::npos) << error;
}
