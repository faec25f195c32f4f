#include "CDiscoveryReport.h"

#include <gtest/gtest.h>

namespace {

using Kind = CDiscoveryReport::AnswerKind;
using Verdict = CDiscoveryReportData::Verdict;

const std::vector<CCNetInterfaces::Entry> kMachineCards = {
    CCNetInterfaces::MakeEntry(L"eth0", 2, 0x0A4D0002, 0xFFFF0000),  // 10.77.0.2/16
    CCNetInterfaces::MakeEntry(L"eth1", 3, 0x0A580002, 0xFFFF0000),  // 10.88.0.2/16
    CCNetInterfaces::MakeEntry(L"eth2", 4, 0x0A5A0002, 0xFFFF0000),  // 10.90.0.2/16
};

const CDiscoveryReportData::Interface& Named(const CDiscoveryReportData& r, const wchar_t* name) {
  for (const auto& i : r.interfaces)
    if (i.strName == name) return i;
  throw std::runtime_error("no such interface in the report");
}

}  // namespace

TEST(CDiscoveryReport, CountsPerInterfaceAndNamesOutsiders) {
  CDiscoveryReport report;
  report.Begin(kMachineCards, {0x0A630001 /* 10.99.0.1, asked by unicast */}, 15000, 15001);
  for (int i = 0; i < 3; ++i) {
    report.BroadcastSent(L"10.77.0.2", L"10.77.255.255");
    report.BroadcastSent(L"10.88.0.2", L"10.88.255.255");
  }
  report.AnswerReceived(0x0A4D1001, 2, Kind::kMac, L"02-00-00-00-00-01");
  report.AnswerReceived(0x0A4D1001, 2, Kind::kMac, L"02-00-00-00-00-01");  // same printer again
  report.AnswerReceived(0x0A4D1002, 0, Kind::kMac, L"02-00-00-00-00-02");  // interface not told
  report.AnswerReceived(0xC0A80732, 2, Kind::kMac, L"02-00-00-00-00-09");  // factory address
  report.AnswerReceived(0xC0A80732, 2, Kind::kName, L"FRONT-DESK");
  report.AnswerReceived(0x0A630001, 2, Kind::kMac, L"02-00-00-00-00-05");  // behind a router
  report.AnswerReceived(0x0A5A0001, 4, Kind::kOther, L"");  // an interface nothing went out of
  report.UnicastSent();

  const CDiscoveryReportData r = report.Snapshot();
  ASSERT_EQ(r.interfaces.size(), 3u);
  EXPECT_EQ(r.interfaces[2].verdict, Verdict::kNotAsked);
  const auto& eth0 = Named(r, L"eth0");
  // Requests sent, answers, printers found.
  EXPECT_EQ((std::vector<DWORD>{eth0.dwRequestsSent, eth0.dwAnswers, eth0.dwPrintersFound}),
            (std::vector<DWORD>{3, 6, 4}));
  ASSERT_EQ(eth0.outsiders.size(), 1u);
  const auto& outsider = eth0.outsiders[0];
  EXPECT_EQ(outsider.strAddress + L" " + outsider.strMac + L" " + outsider.strName,
            L"192.168.7.50 02-00-00-00-00-09 FRONT-DESK");
  EXPECT_EQ(eth0.verdict, Verdict::kOutsiders);
  const auto& eth1 = Named(r, L"eth1");
  EXPECT_EQ(eth1.dwAnswers, 0u);
  EXPECT_EQ(eth1.verdict, Verdict::kNoAnswer);
  // Unicast addresses, answered, requests.
  EXPECT_EQ((std::vector<DWORD>{r.dwUnicastAddresses, r.dwUnicastAnswered, r.dwUnicastRequests}),
            (std::vector<DWORD>{1, 1, 1}));
}
