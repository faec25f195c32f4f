#include "StateMachineRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// Receives wait their time-out (kept short), as the paced exchange's
// deadlines run on the clock.
struct ReachRig : Rig {
  ReachRig() {
    m_Transport.m_bWaitTimeouts = true;
    m_Owner.m_Settings.dwReciveThreadTimeout = 20;
  }
  size_t CountLogged(const std::wstring& prefix) const {
    const auto lines = m_Owner.LogLines();
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::wstring& l) { return l.starts_with(prefix); });
  }
  // Unicast requests sent, as "address request".
  std::vector<std::wstring> Unicast() const {
    std::vector<std::wstring> out;
    for (const auto& s : m_Transport.SentTo())
      out.push_back(s.strHost + L" " + std::wstring(s.bytes.begin(), s.bytes.end()));
    return out;
  }
};

class ReachTest : public ::testing::Test, public ReachRig {};

bool Complete(const _DeviceInfo& d, const SimPrinter& p) {
  const std::string told[] = {p.mac, p.name, p.model, p.mask, p.gateway, p.dhcp};
  const std::wstring* fields[] = {&d.strMacAddress, &d.strName,    &d.strModel,
                                  &d.strSubnetMask, &d.strGateway, &d.strDhcp};
  for (int i = 0; i < 6; ++i)
    if (*fields[i] != std::wstring(told[i].begin(), told[i].end())) return false;
  return true;
}

}  // namespace

TEST_F(ReachTest, FillInAsksEachPrinterOnlyForWhatItsLostAnswersDidNotTell) {
  // B's model and A's DHCP answers never come by broadcast; A's MAC answer
  // neither, so A is first heard of through its name.
  m_Transport.m_Responder =
      PrinterResponder({kPrinterA, kPrinterB}, [](const SimPrinter& p, const std::wstring& r) {
        return p.ip == kPrinterB.ip ? r == L"<ZQ><STSMOQ><MOD>"
                                    : r == L"<ZQ><STSMOQ><DHCP>" || r == L"<ZQ><0000>";
      });
  m_Transport.m_BytesResponder = UnicastResponder({kPrinterA, kPrinterB});
  ASSERT_TRUE(RunToEnd());
  EXPECT_EQ(Unicast(), (std::vector<std::wstring>{L"10.77.16.2 <ZQ><STSMOQ><MOD>",
                                                   L"10.77.16.1 <ZQ><0000>",
                                                   L"10.77.16.1 <ZQ><STSMOQ><DHCP>"}));
  ASSERT_EQ(m_Table.GetDeviceCount(), 2u);  // A's MAC filled in, no second record
  EXPECT_TRUE(Complete(*m_Table.GetDevice(0), kPrinterB));
  EXPECT_TRUE(Complete(*m_Table.GetDevice(1), kPrinterA));
  EXPECT_EQ(CountLogged(L"<TX_DEV_FILL_IN> round 1 of 2: 2 records incomplete"), 1u);
  EXPECT_EQ(CountLogged(L"<TX_DEV_FILL_IN> 0 records incomplete, done"), 1u);
  EXPECT_EQ(m_Owner.ConsoleCount(L"<END_JOB>"), 1u);
}

TEST_F(ReachTest, FillInDoesNothingWhenEveryRecordIsCompleteAndCanBeTurnedOff) {
  m_Transport.m_Responder = PrinterResponder({kPrinterA});
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(m_Transport.SentTo().empty());
  EXPECT_EQ(CountLogged(L"<TX_DEV_FILL_IN>"), 1u);
  EXPECT_EQ(CountLogged(L"<TX_DEV_FILL_IN> 0 records incomplete, done"), 1u);

  ReachRig off;
  off.m_Owner.m_Settings.dwMaxFillInTry = 0;
  off.m_Transport.m_Responder = PrinterResponder(
      {kPrinterA}, [](const SimPrinter&, const std::wstring& r) { return r == L"<ZQ><STSMOQ><GTW>"; });
  off.m_Transport.m_BytesResponder = UnicastResponder({kPrinterA});
  ASSERT_TRUE(off.RunToEnd());
  EXPECT_TRUE(off.m_Transport.SentTo().empty());
  EXPECT_EQ(off.CountLogged(L"<TX_DEV_FILL_IN>"), 0u);
  EXPECT_EQ(off.m_Table.GetDevice(0)->strGateway, L"");
}

TEST_F(ReachTest, FillInGivesUpAfterItsRounds) {
  m_Owner.m_Settings.dwMaxFillInTry = 3;
  m_Transport.m_Responder = PrinterResponder(
      {kPrinterA}, [](const SimPrinter&, const std::wstring& r) { return r == L"<ZQ><STSMOQ><SNM>"; });
  ASSERT_TRUE(RunToEnd());  // the printer never answers by unicast
  EXPECT_EQ(Unicast(), std::vector<std::wstring>(3, L"10.77.16.1 <ZQ><STSMOQ><SNM>"));
  EXPECT_EQ(CountLogged(L"<TX_DEV_FILL_IN> round 3 of 3: 1 records incomplete"), 1u);
  EXPECT_EQ(CountLogged(L"<TX_DEV_FILL_IN> 1 records incomplete, done"), 1u);
  EXPECT_EQ(CountLogged(L"<RX_DEV_PACED> 1 requests sent, 1 unanswered"), 3u);
}

TEST_F(ReachTest, UnicastAloneAsksEachAddressAndOnlyPrintersForTheirFields) {
  m_Owner.m_Settings.btBroadcast = 0;
  m_Owner.m_Settings.strHosts = L"10.77.16.1-10.77.16.3";
  m_Transport.m_BytesResponder = UnicastResponder({kPrinterB});
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(m_Transport.Sent().empty());  // no broadcast at all
  const auto sent = Unicast();
  ASSERT_EQ(sent.size(), 3u + 5u);  // information requests to the printer alone
  EXPECT_EQ(sent[2], L"10.77.16.3 <ZQ><0000>");
  EXPECT_EQ(sent[7], L"10.77.16.2 <ZQ><STSMOQ><DHCP>");
  ASSERT_EQ(m_Table.GetDeviceCount(), 1u);
  EXPECT_TRUE(Complete(*m_Table.GetDevice(0), kPrinterB));
  EXPECT_EQ(m_Owner.ConsoleCount(L"<TX_DEV_DISCOVERY>"), 0u);
  EXPECT_EQ(m_Owner.ConsoleCount(L"<TX_DEV_REQ_INFO>"), 0u);
  EXPECT_EQ(m_Machine.GetReport().dwUnicastAnswered, 1u);
}

TEST_F(ReachTest, ChosenInterfacesEachGetEveryBroadcast) {
  m_Owner.m_Settings.strInterfaces = L"all";
  m_Transport.m_Interfaces = {CCNetInterfaces::MakeEntry(L"eth0", 2, 0x0A4D0002, 0xFFFF0000),
                              CCNetInterfaces::MakeEntry(L"eth1", 3, 0x0A580002, 0xFFFFFF00)};
  for (auto& e : m_Transport.m_Interfaces) e.bUp = e.bBroadcast = 1;
  ASSERT_TRUE(RunToEnd());
  EXPECT_TRUE(m_Transport.Sent().empty());  // not the single broadcast
  const auto sent = m_Transport.SentTo();
  ASSERT_EQ(sent.size(), 6u);  // three discovery tries through two interfaces
  EXPECT_EQ(sent[1].strHost + L" " + std::to_wstring(sent[1].dwInterface), L"10.88.0.255 3");
  EXPECT_EQ(CountLogged(L"<INTERFACE> eth1 10.88.0.2 -> 10.88.0.255:15000 <ZQ><0000>"), 3u);
  EXPECT_EQ(CountLogged(L"<TX_DEV_DISCOVERY><ZQ><0000> Another discovery try..."), 3u);
  EXPECT_EQ(m_Machine.GetReport().interfaces.at(1).dwRequestsSent, 3u);
}
