#include "StateMachineRig.h"

#include <gtest/gtest.h>

#include <algorithm>

class StateMachineTest : public ::testing::Test, public Rig {};

TEST_F(StateMachineTest, NoPrinterSendsThreeRequestsThenEnds) {
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(m_Transport.Sent().size(), 3u);
  EXPECT_EQ(m_Transport.m_dwOpenedPort, 15001u);
  EXPECT_EQ(m_Transport.m_dwCloseCalls, 1u);
  // Three receives per try, each timed out with 200 ms, and three pauses
  // of 50 ms per try: 2.25 s in all.
  EXPECT_EQ(m_Transport.m_dwReceives, 9u);
  EXPECT_EQ(m_Transport.m_dwLastTimeout, 200u);
  EXPECT_EQ(m_Pauses, std::vector<DWORD>(9, 50));
  EXPECT_EQ(m_Owner.ConsoleCount(L"<END_DEV_DISCOVERY> NO device found!"), 1u);
  EXPECT_EQ(m_Owner.ConsoleCount(L"<END_JOB>"), 1u);
  EXPECT_EQ(m_Owner.StopCalls(), 1u);
  for (const wchar_t* line : {L"<END_DEV_DISCOVERY>: no device detected.. stop here",
                              L"<RX_DEV_NOREAD> Anoter try...", L"<RX_DEV_NOREAD> No more try...",
                              L"<RX_DEV_DISCOVERY>: no data read...",
                              L"<TX_DEV_DISCOVERY><ZQ><0000> Another discovery try..."})
    EXPECT_TRUE(Logged(line)) << std::string(line, line + wcslen(line));
  EXPECT_EQ(m_Table.GetDeviceCount(), 0u);
  EXPECT_EQ(m_dwState.load(), END_JOB);  // the state stays until the run ends
}

TEST_F(StateMachineTest, OnePrinterIsFoundOnceAndFilledIn) {
  m_Transport.m_Responder = PrinterResponder({kPrinterA});
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_Table.GetDeviceCount(), 1u);
  const _DeviceInfo& r = *m_Table.GetDevice(0);
  EXPECT_EQ((std::vector<std::wstring>{r.strMacAddress, r.strIpAddress, r.strName, r.strModel,
                                       r.strSubnetMask, r.strGateway, r.strDhcp}),
            (std::vector<std::wstring>{L"02-51-4D-00-00-01", L"10.77.16.1", L"OFFICE-1", L"Quillmark Compact",
                                       L"255.255.0.0", L"10.77.0.1", L"OFF"}));
  EXPECT_EQ(r.dwImage, 1u);
  const auto rows = m_Owner.Rows();
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const RowCall& c) { return c.bInsert; }), 1);
  for (const wchar_t* line : {
           L"<RX_DEV_DISCOVERY>: Mac Add.: 02-51-4D-00-00-01, from IP Add.: 10.77.16.1",
           L"<ZQ><MAC><02-51-4D-00-00-01>",
           L"<END_DEV_DISCOVERY>: device found... get other data...",
           L"<TX_DEV_REQ_INFO>: <ZQ><STSMOQ><MOD>",
           L"<RX_DEV_INFO>: Printer Name.: OFFICE-1, from IP Add.: 10.77.16.1",
           L"<RX_DEV_INFO>: Printer Model.: Quillmark Compact, from IP Add.: 10.77.16.1",
           L"<RX_DEV_INFO>: Sub Net Mask.: 255.255.0.0, from IP Add.: 10.77.16.1",
           L"<RX_DEV_INFO>: Gateway.: 10.77.0.1, from IP Add.: 10.77.16.1",
           L"<RX_DEV_INFO>: DHCP: OFF, from IP Add.: 10.77.16.1",
           L"<RX_DEV_INFO_NOREAD> Another try..."})
    EXPECT_TRUE(Logged(line)) << std::string(line, line + wcslen(line));
  EXPECT_EQ(m_Owner.ConsoleCount(L"Rx Data From IP <10.77.16.1:15000> Size 28 Buffer: { "
                                 L"<ZQ><MAC><02-51-4D-00-00-01> }"),
            3u);
}

// An owner may file the answers later, on a thread of its own: each filing
// carries its own copy of the answer, and the device count is read only
// after every earlier filing.
TEST_F(StateMachineTest, FilingMayBeDeferredByTheOwner) {
  m_Owner.m_bDeferFiling = true;
  m_Transport.m_Responder = PrinterResponder({kPrinterA});
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(Logged(L"<END_DEV_DISCOVERY>: device found... get other data..."));
  m_Owner.RunDeferred();
  ASSERT_EQ(m_Table.GetDeviceCount(), 1u);
  EXPECT_EQ(m_Table.GetDevice(0)->strName, L"OFFICE-1");
  EXPECT_EQ(m_Table.GetDevice(0)->strDhcp, L"OFF");
}

TEST_F(StateMachineTest, SettingsOfOwnerAreUsed) {
  CDiscoverySettings& s = m_Owner.m_Settings;
  s.uiTxPort = 16000;
  s.uiRxPort = 16001;
  s.dwBroadcastType = 0;
  s.dwMaxDiscoveryTry = 1;
  s.dwMaxNoDataReadTry = 0;
  s.dwReciveThreadTimeout = 7;
  s.dwRxThreadIdleTimeout = 3;
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_Transport.Sent().size(), 1u);
  EXPECT_EQ(m_Transport.Sent()[0].dwPort, 16000u);
  EXPECT_EQ(m_Transport.Sent()[0].dwBroadcast, 0u);
  EXPECT_EQ(m_Transport.m_dwOpenedPort, 16001u);
  EXPECT_EQ(m_Transport.m_dwReceives, 1u);
  EXPECT_EQ(m_Transport.m_dwLastTimeout, 7u);
  EXPECT_EQ(m_Pauses, std::vector<DWORD>{3});
}

TEST_F(StateMachineTest, EmptyDatagramKeepsReceivingWithoutCounting) {
  m_Machine.Begin();
  m_dwState = RX_DEV_DISCOVERY;
  m_Transport.Push(Reception::Empty());
  m_Transport.Push(Reception::Empty());
  m_Machine.Pass();
  m_Machine.Pass();
  EXPECT_EQ(m_dwState.load(), RX_DEV_DISCOVERY);
  EXPECT_EQ(m_Machine.GetNoDataCounter(), 0u);
  EXPECT_EQ(m_Owner.Toggles(1), 2u);  // flipped once per receive, not back
  m_Machine.Pass();  // now nothing arrives
  EXPECT_EQ(m_dwState.load(), RX_DEV_NOREAD);
  EXPECT_EQ(m_Owner.Toggles(1), 4u);

  m_dwState = RX_DEV_INFO;
  m_Transport.Push(Reception::Empty());
  m_Machine.Pass();
  EXPECT_EQ(m_dwState.load(), RX_DEV_INFO);
}

TEST_F(StateMachineTest, ReceiverThatCannotOpenEndsThroughNoDataPath) {
  m_Transport.m_dwOpenResult = 1;
  m_Transport.m_Responder = PrinterResponder({kPrinterA});
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(m_Table.GetDeviceCount(), 0u);
  EXPECT_EQ(m_Owner.ConsoleCount(L"<END_DEV_DISCOVERY> NO device found!"), 1u);
}

TEST_F(StateMachineTest, SendRoutineReportsSuccessfulSendsOnly) {
  m_Owner.m_Settings.dwMaxDiscoveryTry = 1;
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(m_Owner.ConsoleCount(L"Message host IP <10.0.0.2:15000> Size 10 Buffer: { <ZQ><0000> }"), 1u);

  Rig failing;
  failing.m_Owner.m_Settings.dwMaxDiscoveryTry = 2;
  failing.m_Transport.m_dwSendResult = 1;
  ASSERT_TRUE(failing.RunToEnd());
  EXPECT_EQ(failing.m_Transport.Sent().size(), 2u);  // a failed send is not retried, the run goes on
  for (const auto& line : failing.m_Owner.Console())
    EXPECT_EQ(line.find(L"Message host IP"), std::wstring::npos);
}

// Bad input from the network, in the discovery phase: (what the receive
// gives, whether a record results, its MAC, whether "Unknow Answer!" is written).
TEST(StateMachineWire, DiscoveryAnswersFromTheWire) {
  struct Case {
    Reception in;
    bool record;
    std::wstring mac;
    bool unknown;
  };
  const std::string big(1024, 'A');
  auto wire = [](std::string bytes) { return Reception::Datagram(std::move(bytes), L"10.0.0.9"); };
  const Reception oversized{20, 0, "", L"10.0.0.9"};  // the receive reports a cut datagram
  const std::vector<Case> cases = {
      {wire("<ZQ><MAC><00-11-22-33-44-55>"), true, L"00-11-22-33-44-55", false},
      {wire("<zq><MAC><00-11-22-33-44-55>"), false, L"", false},
      {wire(" <ZQ><MAC><1>"), false, L"", false},
      {wire("<ZQ><NAME><X>"), false, L"", true},
      {wire("<ZQ><MAC>"), true, L"", false},
      {wire(std::string("<ZQ><MAC><AB>\0<CD>", 18)), true, L"AB", false},
      {wire("<ZQ><MAC><\xE9\xFF>"), true, std::wstring({wchar_t(0xE9), wchar_t(0xFF)}), false},
      {wire("<ZQ><MAC>" + big.substr(9 + 5)), true, std::wstring(1024 - 14, L'A'), false},
      {wire(big), false, L"", false},
      {oversized, false, L"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in.bytes.substr(0, 40));
    Rig rig;
    rig.m_Machine.Begin();
    rig.m_dwState = RX_DEV_DISCOVERY;
    rig.m_Transport.Push(c.in);
    rig.m_Machine.Pass();
    EXPECT_EQ(rig.m_dwState.load(), RX_DEV_IDLE);
    ASSERT_EQ(rig.m_Table.GetDeviceCount(), c.record ? 1u : 0u);
    if (c.record) {
      EXPECT_EQ(rig.m_Table.GetDevice(0)->strMacAddress, c.mac);
      EXPECT_EQ(rig.m_Table.GetDevice(0)->strIpAddress, L"10.0.0.9");
    }
    EXPECT_EQ(rig.m_Owner.ConsoleCount(L"Unknow Answer!"), c.unknown ? 1u : 0u);
  }
}

TEST_F(StateMachineTest, InformationAnswersFromTheWire) {
  m_Machine.Begin();
  m_Table.AddDeviceByMac(L"", L"", L"10.0.0.9", L"", L"M");
  // Two of these are unknown answers; the name tag is looked for before the model's.
  const std::string answers[] = {"<ZQ><MOD><>",  "<ZQ><DHCP>",    "<zq><NAME><lower>",
                                 "<ZQ><MOD><M><NAME><N>", "<ZQ><XYZ><1>", "<ZQ><MAC><00>",
                                 "<ZQ><NAME><ONE><MOD><x>"};
  for (const std::string& bytes : answers) {
    m_dwState = RX_DEV_INFO;
    m_Transport.Push(Reception::Datagram(bytes, L"10.0.0.9"));
    m_Machine.Pass();
    EXPECT_EQ(m_dwState.load(), RX_DEV_INFO_IDLE);
  }
  ASSERT_EQ(m_Table.GetDeviceCount(), 1u);
  const _DeviceInfo& r = *m_Table.GetDevice(0);
  EXPECT_EQ(r.strModel, L"-|-|-");
  EXPECT_EQ(r.dwImage, 5u);
  EXPECT_EQ(r.strDhcp, L"");
  EXPECT_EQ(r.strName, L"ONEMODx");
  EXPECT_EQ(m_Owner.ConsoleCount(L"Unknow Answer!"), 2u);
}

TEST_F(StateMachineTest, DuplicateAndStrayAnswersDoNotDuplicateRows) {
  // Every printer answers each request three times and a stranger answers
  // with a MAC already taken. Records keep the order the printers answered in.
  auto base = PrinterResponder({kPrinterB, kPrinterA});
  m_Transport.m_Responder = [base](const std::wstring& m, std::deque<Reception>& q) {
    for (int i = 0; i < 3; ++i) base(m, q);
    if (m == L"<ZQ><0000>")
      q.push_back(Reception::Datagram("<ZQ><MAC><02-51-4D-00-00-01>", L"10.77.16.99"));
  };
  ASSERT_TRUE(RunToEnd());
  ASSERT_EQ(m_Table.GetDeviceCount(), 2u);
  EXPECT_EQ(m_Table.GetDevice(0)->strIpAddress, L"10.77.16.2");
  EXPECT_EQ(m_Table.GetDevice(0)->strDhcp, L"ON");
  EXPECT_EQ(m_Table.GetDevice(1)->strName, L"OFFICE-1");
  const auto rows = m_Owner.Rows();
  EXPECT_EQ(std::count_if(rows.begin(), rows.end(), [](const RowCall& c) { return c.bInsert; }), 2);
}

TEST(StateMachineTries, RequestsPerConfiguredTries) {
  // (maximum tries, discovery requests, sets of information requests): the
  // information phase compares its counter before increasing it. With no
  // tries nothing is sent, a printer that would answer is never heard and the
  // run ends as one that found nothing.
  const std::tuple<DWORD, size_t, size_t> cases[] = {{0, 0, 0}, {1, 1, 1}, {2, 2, 2}, {3, 3, 2}, {4, 4, 3}};
  for (const auto& [tries, discoveries, infos] : cases) {
    SCOPED_TRACE(tries);
    Rig rig;
    rig.m_Owner.m_Settings.dwMaxDiscoveryTry = tries;
    rig.m_Transport.m_Responder = PrinterResponder({kPrinterA});
    ASSERT_TRUE(rig.RunToEnd());
    EXPECT_EQ(rig.m_Transport.SentCount(L"<ZQ><0000>"), discoveries);
    EXPECT_EQ(rig.m_Transport.SentCount(L"<ZQ><STSMOQ><NAME>"), infos);
    EXPECT_EQ(rig.m_Transport.SentCount(L"<ZQ><STSMOQ><DHCP>"), infos);
    EXPECT_EQ(rig.m_Transport.Sent().size(), discoveries + 5 * infos);
    EXPECT_EQ(rig.m_Table.GetDeviceCount(), tries > 0 ? 1u : 0u);
    EXPECT_EQ(rig.m_Owner.ConsoleCount(L"<END_DEV_DISCOVERY> NO device found!"), tries > 0 ? 0u : 1u);
  }
}
