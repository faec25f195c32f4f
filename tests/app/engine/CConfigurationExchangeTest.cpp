#include "CConfigurationExchange.h"
#include "FakeTransport.h"

#include <gtest/gtest.h>

namespace {

const std::string kAddressee = "<MAC:024C1A000001>";

// A SET answer as a printer gives it: header, start byte, text, end byte.
Reception Answer(const std::string& text, const std::string& code = "<STSMOA>") {
  return Reception::Datagram("<ZQ>" + code + "<" + text + ">", L"10.77.16.1");
}
const Reception kConfirm = Answer("<SET>" + kAddressee + "\x06");
const Reception kStranger = Answer("<SET><MAC:024C1A000099>\x06");

struct Exchange {
  FakeTransport transport;
  std::vector<std::wstring> lines;
  CConfigurationExchange exchange{{15000, 15001, 1, 300}, transport,
                                  [this](const std::wstring& s) { lines.push_back(s); }};

  // Queues the datagrams and runs SET for the MAC; `rows` is asked before each attempt.
  CConfigurationExchange::SetOutcome Set(std::vector<Reception> queued,
                                         CConfigurationExchange::AttemptCount rows,
                                         std::wstring name = L"Lumen Desk 1") {
    for (auto& r : queued) transport.Push(std::move(r));
    return exchange.SendSetCommand(L"10.77.40.7", name, L"255.255.0.0", L"10.77.0.1",
                                   L"02:4C:1A:00:00:01", L"1", rows);
  }
  DWORD Query(std::vector<Reception> queued, std::array<BYTE, 64>& answer, DWORD& length) {
    for (auto& r : queued) transport.Push(std::move(r));
    const std::vector<BYTE> frame = CConfigurationExchange::BuildQueryFrame(0x02);
    length = answer.size();
    return exchange.QueryDevice(frame.data(), 20, L"10.77.16.1", answer.data(), length);
  }
};

CConfigurationExchange::AttemptCount Rows(DWORD n) {
  return [n] { return n; };
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
  const auto o = e.Set({kConfirm}, Rows(1));
  EXPECT_EQ(o.dwResult, 0u);
  EXPECT_EQ(o.Text(), L"Printer parameters succesfully updated!");
  EXPECT_FALSE(o.bErrorIcon);
  ASSERT_EQ(e.transport.Sent().size(), 1u);
  const SentMessage sent = e.transport.Sent()[0];
  // Answer port, send port, broadcast type, receive time-out, closes.
  EXPECT_EQ((std::vector<DWORD>{e.transport.m_dwOpenedPort, sent.dwPort, sent.dwBroadcast,
                                e.transport.m_dwLastTimeout, e.transport.m_dwCloseCalls}),
            (std::vector<DWORD>{15001, 15000, 1, 300, 1}));
  EXPECT_EQ(e.lines, std::vector<std::wstring>{L"Message host IP <10.0.0.2:15000> Size " +
                                               std::to_wstring(sent.strText.size()) +
                                               L" Buffer: { " + sent.strText + L" }"});
}

TEST(ConfigurationExchange, AnswersAndAttemptsDecideTheOutcome) {
  DWORD shrinking = 2;  // a row that goes during the wait ends it
  struct Case {
    const char* what;
    std::vector<Reception> queued;
    CConfigurationExchange::AttemptCount rows;
    UINT message;
    DWORD receives;
    std::wstring name = L"Lumen Desk 1";
  };
  const Case cases[] = {
      {"refused", {Answer("<SET>" + kAddressee + "\x15")}, Rows(1), 121, 1},
      {"without SET", {Answer(kAddressee + "\x06")}, Rows(1), 122, 1},
      {"nothing in time", {}, Rows(2), 121, 2},
      {"another code", {Answer("<SET>" + kAddressee + "\x06", "<STSMOX>")}, Rows(1), 121, 1},
      {"a stranger first, two rows", {kStranger, kConfirm}, Rows(2), 120, 2},
      {"a stranger first, one row", {kStranger, kConfirm}, Rows(1), 121, 1},
      {"no rows", {kConfirm}, Rows(0), 121, 0},
      {"an empty datagram ends the wait", {Reception::Empty(), kConfirm}, Rows(3), 121, 1},
      {"rows read before each attempt", {kStranger, kConfirm}, [&] { return shrinking--; }, 121, 1},
      // A name holding CMD makes the printer answer with the command code.
      {"CMD name, plain code", {kConfirm}, Rows(1), 121, 1, L"CMD room"},
      {"CMD name, command code", {Answer("<SET>" + kAddressee + "\x06", "<STSMOA><CMD>")}, Rows(1), 120, 1,
       L"CMD room"},
  };
  for (const Case& c : cases) {
    Exchange e;
    const auto o = e.Set(c.queued, c.rows, c.name);
    EXPECT_EQ(o.uiMessage, c.message) << c.what;
    EXPECT_EQ(o.dwResult, c.message == 120 ? 0u : 0x1000u) << c.what;
    EXPECT_EQ(o.bErrorIcon, c.message != 120) << c.what;
    EXPECT_EQ(e.transport.m_dwReceives, c.receives) << c.what;
    EXPECT_EQ(e.transport.Sent().size(), 1u) << c.what;
  }
}

TEST(ConfigurationExchange, TransportFailuresGiveTheirCodeAndNoMessage) {
  // An answer port that cannot be opened sends nothing; a failed send fails
  // even with an answer queued: (open result, send result, requests sent).
  const std::tuple<DWORD, DWORD, size_t> cases[] = {{1, 0, 0}, {0, 6, 1}};
  for (const auto& [dwOpenResult, dwSendResult, sent] : cases) {
    Exchange e;
    e.transport.m_dwOpenResult = dwOpenResult;
    e.transport.m_dwSendResult = dwSendResult;
    const auto o = e.Set({kConfirm}, Rows(1));
    EXPECT_EQ(o.dwResult, dwOpenResult != 0 ? dwOpenResult : dwSendResult);
    EXPECT_EQ(o.uiMessage, 0u);
    EXPECT_EQ(e.transport.Sent().size(), sent);
    EXPECT_TRUE(e.lines.empty());
  }
}

TEST(ConfigurationExchange, QueryFrameAnswerAndConsoleLines) {
  const std::vector<BYTE> frame = CConfigurationExchange::BuildQueryFrame(0x20);
  EXPECT_EQ(std::string(frame.begin(), frame.end()), "<ZQ><STSMOQ><CMD>< >");
  Exchange e;
  std::array<BYTE, 64> answer{};
  DWORD length = 0;
  ASSERT_EQ(e.Query({Answer(std::string("\x02\x00\x05", 3), "<STSMOA><CMD>")}, answer, length), 0u);
  ASSERT_EQ(length, 3u);
  EXPECT_EQ(answer[0], 0x02);
  EXPECT_EQ(answer[2], 0x05);
  ASSERT_EQ(e.transport.SentTo().size(), 1u);
  EXPECT_EQ(e.transport.SentTo()[0].strHost, L"10.77.16.1");
  EXPECT_EQ(e.transport.SentTo()[0].dwPort, 15000u);
  EXPECT_EQ(e.transport.m_dwOpenedPort, 15001u);
  EXPECT_EQ(e.lines, (std::vector<std::wstring>{
                         L"Message host IP from <10.0.0.2:15000> to 10.77.16.1 Size 20 Buffer: { "
                         L"<ZQ><STSMOQ><CMD><\x02> }",
                         L"Rx Data From IP <10.77.16.1:15000> Size 22 Buffer: { "
                         L"<ZQ><STSMOA><CMD><0x02,0x00,0x05> }"}));
}

TEST(ConfigurationExchange, QueryWithoutUsableAnswerReportsNoData) {
  // Nothing in time, an empty datagram, a frame of another code (shown, not
  // unpacked), a failed send: (queued, send result, console lines).
  const std::tuple<std::vector<Reception>, DWORD, size_t> cases[] = {
      {{}, 0, 1}, {{Reception::Empty()}, 0, 1}, {{Answer("x")}, 0, 2}, {{}, 4, 0}};
  for (const auto& [queued, dwSendResult, lines] : cases) {
    Exchange e;
    e.transport.m_dwSendResult = dwSendResult;
    std::array<BYTE, 64> answer{};
    DWORD length = 0;
    EXPECT_EQ(e.Query(queued, answer, length), dwSendResult);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(e.lines.size(), lines);
    EXPECT_EQ(e.transport.m_dwCloseCalls, 1u);
  }
}
