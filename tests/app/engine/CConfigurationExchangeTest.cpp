// The SET exchange and the framed queries against scripted datagrams.
#include "CConfigurationExchange.h"
#include "FakeTransport.h"

#include <gtest/gtest.h>

namespace {

using Outcome = CConfigurationExchange::SetOutcome;

const std::string kMac = "024C1A000001";
const std::string kAddressee = "<MAC:" + kMac + ">";

// A SET answer as a printer gives it: header, start byte, text, end byte.
std::string SetAnswer(const std::string& text, const std::string& code = "<STSMOA>") {
  return "<ZQ>" + code + "<" + text + ">";
}
const std::string kConfirm = SetAnswer("<SET>" + kAddressee + "\x06");

struct Exchange {
  FakeTransport transport;
  std::vector<std::wstring> lines;
  CConfigurationExchange exchange{{15000, 15001, 1, 300}, transport,
                                  [this](const std::wstring& s) { lines.push_back(s); }};

  // Queues the datagrams and runs SET for the MAC with `rows` device rows.
  Outcome Set(std::vector<Reception> queued, DWORD rows, std::wstring name = L"Lumen Desk 1") {
    for (auto& r : queued) transport.Push(std::move(r));
    return exchange.SendSetCommand(L"10.77.40.7", name, L"255.255.0.0", L"10.77.0.1",
                                   L"02:4C:1A:00:00:01", L"1", [rows] { return rows; });
  }
};

Reception From(const std::string& bytes) { return Reception::Datagram(bytes, L"10.77.16.1"); }

void ExpectOutcome(const Outcome& o, DWORD result, UINT message, bool icon) {
  EXPECT_EQ(o.dwResult, result);
  EXPECT_EQ(o.uiMessage, message);
  EXPECT_EQ(o.bErrorIcon, icon);
}

}  // namespace

TEST(ConfigurationExchange, SetMessageText) {
  EXPECT_EQ(CConfigurationExchange::BuildSetMessage(L"10.0.0.9", L"Desk", L"255.255.255.0",
                                                    L"10.0.0.1", L"00:11:22:33:44:55", L"1"),
            L"<ZQ><STSMOQ><SET><MAC:001122334455><S_NAME><Desk><S_IPADD><10.0.0.9>"
            L"<S_SNM><255.255.255.0><S_GTW><10.0.0.1><S_DHCP><1>");
  // No DHCP pair without a DHCP text; only colons leave the MAC.
  EXPECT_EQ(CConfigurationExchange::BuildSetMessage(L"10.0.0.9", L"Desk", L"255.255.255.0",
                                                    L"10.0.0.1", L"02-4C-1A-00-00-01", L""),
            L"<ZQ><STSMOQ><SET><MAC:02-4C-1A-00-00-01><S_NAME><Desk><S_IPADD><10.0.0.9>"
            L"<S_SNM><255.255.255.0><S_GTW><10.0.0.1>");
}

TEST(ConfigurationExchange, SetIsBroadcastAfterOpeningTheAnswerPort) {
  Exchange e;
  ExpectOutcome(e.Set({From(kConfirm)}, 1), 0, 120, false);
  EXPECT_EQ(e.transport.m_dwOpenedPort, 15001u);
  ASSERT_EQ(e.transport.Sent().size(), 1u);
  const SentMessage sent = e.transport.Sent()[0];
  EXPECT_EQ(sent.dwPort, 15000u);
  EXPECT_EQ(sent.dwBroadcast, 1u);
  EXPECT_EQ(e.transport.m_dwLastTimeout, 300u);
  EXPECT_EQ(e.transport.m_dwCloseCalls, 1u);
  ASSERT_EQ(e.lines.size(), 1u);
  EXPECT_EQ(e.lines[0], L"Message host IP <10.0.0.2:15000> Size " +
                            std::to_wstring(sent.strText.size()) + L" Buffer: { " + sent.strText +
                            L" }");
  EXPECT_EQ(Outcome({0, 120, false}).Text(), L"Printer parameters succesfully updated!");
}

TEST(ConfigurationExchange, AnswerDecidesTheOutcome) {
  struct Case {
    const char* what;
    std::vector<Reception> queued;
    DWORD result;
    UINT message;
  };
  const Case cases[] = {
      {"refused", {From(SetAnswer("<SET>" + kAddressee + "\x15"))}, 0x1000, 121},
      {"without SET", {From(SetAnswer(kAddressee + "\x06"))}, 0x1000, 122},
      {"nothing in time", {}, 0x1000, 121},
      {"empty datagram", {Reception::Empty()}, 0x1000, 121},
      {"rejected by the codec", {From("<zq><STSMOA><SET" + kAddressee + "\x06>")}, 0x1000, 121},
      {"another printer's MAC", {From(SetAnswer("<SET><MAC:024C1A000002>\x06"))}, 0x1000, 121},
  };
  for (const Case& c : cases) {
    Exchange e;
    ExpectOutcome(e.Set(c.queued, 1), c.result, c.message, true);
    EXPECT_EQ(e.transport.Sent().size(), 1u) << c.what;
  }
}

TEST(ConfigurationExchange, OneAttemptPerDeviceRow) {
  const Reception stranger = From(SetAnswer("<SET><MAC:024C1A000099>\x06"));
  {  // Two rows: the stranger uses up the first attempt, the answer comes second.
    Exchange e;
    ExpectOutcome(e.Set({stranger, From(kConfirm)}, 2), 0, 120, false);
    EXPECT_EQ(e.transport.m_dwReceives, 2u);
  }
  {  // One row: the first datagram decides.
    Exchange e;
    ExpectOutcome(e.Set({stranger, From(kConfirm)}, 1), 0x1000, 121, true);
    EXPECT_EQ(e.transport.m_dwReceives, 1u);
  }
  {  // No rows: sent all the same, nothing awaited.
    Exchange e;
    ExpectOutcome(e.Set({From(kConfirm)}, 0), 0x1000, 121, true);
    EXPECT_EQ(e.transport.Sent().size(), 1u);
    EXPECT_EQ(e.transport.m_dwReceives, 0u);
  }
  {  // An empty datagram ends the wait at once.
    Exchange e;
    ExpectOutcome(e.Set({Reception::Empty(), From(kConfirm)}, 3), 0x1000, 121, true);
    EXPECT_EQ(e.transport.m_dwReceives, 1u);
  }
  {  // The row count is read before every attempt: a row gone ends the wait.
    Exchange e;
    DWORD rows = 2;
    e.transport.Push(stranger);
    e.transport.Push(From(kConfirm));
    const Outcome o = e.exchange.SendSetCommand(L"1.2.3.4", L"n", L"255.0.0.0", L"1.0.0.1",
                                                L"02:4C:1A:00:00:01", L"", [&] { return rows--; });
    ExpectOutcome(o, 0x1000, 121, true);
    EXPECT_EQ(e.transport.m_dwReceives, 1u);
  }
}

TEST(ConfigurationExchange, TransportFailures) {
  {  // The answer port cannot be opened: nothing sent, nothing shown.
    Exchange e;
    e.transport.m_dwOpenResult = 1;
    ExpectOutcome(e.Set({From(kConfirm)}, 1), 1, 0, false);
    EXPECT_TRUE(e.transport.Sent().empty());
    EXPECT_TRUE(e.lines.empty());
  }
  {  // A failed send with an answer all the same gives the send's code.
    Exchange e;
    e.transport.m_dwSendResult = 6;
    ExpectOutcome(e.Set({From(kConfirm)}, 1), 6, 0, false);
    EXPECT_TRUE(e.lines.empty());
  }
}

TEST(ConfigurationExchange, MessageWithCmdExpectsTheCommandCode) {
  const std::string text = "<SET>" + kAddressee + "\x06";
  Exchange plain;
  ExpectOutcome(plain.Set({From(SetAnswer(text))}, 1, L"CMD room"), 0x1000, 121, true);
  Exchange cmd;
  ExpectOutcome(cmd.Set({From(SetAnswer(text, "<STSMOA><CMD>"))}, 1, L"CMD room"), 0, 120, false);
}

TEST(ConfigurationExchange, QueryFrameAndConsoleLines) {
  const std::vector<BYTE> frame = CConfigurationExchange::BuildQueryFrame(0x02);
  const std::string header = "<ZQ><STSMOQ><CMD>";
  ASSERT_EQ(frame.size(), 20u);
  EXPECT_EQ(std::string(frame.begin(), frame.end()), header + "<\x02>");
  EXPECT_EQ(CConfigurationExchange::BuildQueryFrame(0x20).at(18), 0x20);

  Exchange e;
  e.transport.Push(From(std::string("<ZQ><STSMOA><CMD><\x02\x00\x05>", 22)));
  std::array<BYTE, 1024> answer{};
  DWORD dwLength = answer.size();
  EXPECT_EQ(e.exchange.QueryDevice(frame.data(), 20, L"10.77.16.1", answer.data(), dwLength), 0u);
  ASSERT_EQ(dwLength, 3u);
  EXPECT_EQ(answer[0], 0x02);
  EXPECT_EQ(answer[2], 0x05);
  ASSERT_EQ(e.transport.SentTo().size(), 1u);
  EXPECT_EQ(e.transport.SentTo()[0].strHost, L"10.77.16.1");
  EXPECT_EQ(e.transport.SentTo()[0].dwPort, 15000u);
  EXPECT_EQ(e.transport.m_dwOpenedPort, 15001u);
  ASSERT_EQ(e.lines.size(), 2u);
  EXPECT_EQ(e.lines[0], L"Message host IP from <10.0.0.2:15000> to 10.77.16.1 Size 20 Buffer: { "
                        L"<ZQ><STSMOQ><CMD><\x02> }");
  EXPECT_EQ(e.lines[1], L"Rx Data From IP <10.77.16.1:15000> Size 22 Buffer: { "
                        L"<ZQ><STSMOA><CMD><0x02,0x00,0x05> }");
}

TEST(ConfigurationExchange, QueryWithoutUsableAnswerReportsNoData) {
  const std::vector<BYTE> frame = CConfigurationExchange::BuildQueryFrame(0x20);
  struct Case {
    std::vector<Reception> queued;
    size_t lines;
  };
  const Case cases[] = {
      {{}, 1},                                   // nothing in time
      {{Reception::Empty()}, 1},                 // empty datagram
      {{From("<ZQ><STSMOA><x>")}, 2},            // wrong code: shown, not unpacked
  };
  for (const Case& c : cases) {
    Exchange e;
    for (const Reception& r : c.queued) e.transport.Push(r);
    std::array<BYTE, 1024> answer{};
    DWORD dwLength = answer.size();
    EXPECT_EQ(e.exchange.QueryDevice(frame.data(), 20, L"10.77.16.1", answer.data(), dwLength), 0u);
    EXPECT_EQ(dwLength, 0u);
    EXPECT_EQ(e.lines.size(), c.lines);
    EXPECT_EQ(e.transport.m_dwCloseCalls, 1u);
  }
  Exchange failing;
  failing.transport.m_dwSendResult = 4;
  DWORD dwLength = 16;
  BYTE answer[16];
  EXPECT_EQ(failing.exchange.QueryDevice(frame.data(), 20, L"10.77.16.1", answer, dwLength), 4u);
  EXPECT_TRUE(failing.lines.empty());
  EXPECT_EQ(failing.transport.m_dwCloseCalls, 1u);
}
