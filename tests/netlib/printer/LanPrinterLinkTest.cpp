// The printer link's datagrams inside the virtual LAN: the test plays the
// printer on the LAN host's own address, sees each request datagram and
// answers with the bytes a case needs. (Every function against printer-sim
// over UDP and TCP: tests/tools/lumora-cli LanPrinterCommandTest.) Runs only
// inside scripts/vlan (VLAN=1).
#include <corvane/CorvaneErrors.h>
#include <corvane/EthPrinterFunctions.h>
#include <gtest/gtest.h>

#include <future>

#include "FunctionCalls.h"
#include "LanSimulatorTest.h"
#include "UdpProbe.h"
#include "VirtualLan.h"

namespace {

using namespace std::chrono_literals;
using printer_test::Outcome;

class LanDatagramTest : public LanSimulatorTest<1> {
 protected:
  void SetUp() override {
    LanSimulatorTest::SetUp();
    if (IsSkipped()) return;
    ASSERT_TRUE(printer.Bound());
    ASSERT_TRUE(setup.AddPrinter("Own", "socket://" + VirtualLan::Env("VLAN_HOST_IP"), 0));
  }
  // Runs the function while the printer answers its request with `answer`
  // (none when empty); the request datagram's size lands in requestSize.
  std::string Exchange(const std::string& function, const std::string& answer,
                       std::size_t& requestSize) {
    auto call = std::async(std::launch::async, [&] { return Outcome(function, L"Own"); });
    const auto requests = printer.Collect(1, 5s, 0ms);
    requestSize = requests.empty() ? 0 : requests[0].payload.size();
    if (!requests.empty() && !answer.empty())
      printer.Send(requests[0].from, 15001, "<ZQ><STSMOA><" + answer + ">");
    return call.get();
  }
  UdpProbe printer{15000};
};

TEST_F(LanDatagramTest, RequestsAndAnswersKeepTheirSizes) {
  std::size_t size = 0;
  EXPECT_EQ(Exchange("GetReleaseEth", "V1.2", size), "0 0x56,0x31,0x2E,0x32");
  EXPECT_EQ(size, 17u);  // 3 request bytes and the frame's 14
  EXPECT_EQ(Exchange("SendResetEth", "\x06", size), "0");
  EXPECT_EQ(size, 20u);
  // Counters: any length up to 16 bytes.
  EXPECT_EQ(Exchange("GetTotNumOfPowerOnEth", "12345678901234on", size), "0 2147483647");
  EXPECT_EQ(Exchange("GetTotNumOfPowerOnEth", "123456789012345on", size), "20 57005");  // value untouched
  // No answer: a failure after the twelve-second wait.
  EXPECT_EQ(Exchange("GetGSIEth", "", size), "64 ");
}

// 6 status bytes expected: a 25-byte answer does not fit the 20-byte buffer.
TEST_F(LanDatagramTest, AnOversizedAnswerReportsMessageTooLong) {
  auto call = std::async(std::launch::async, [] {
    BYTE status[6];
    DWORD dwLength = 0, dwError = 0;
    const DWORD dwResult = GetStatusEth(L"Own", status, &dwLength, &dwError);
    return std::make_pair(dwResult, dwError);
  });
  const auto requests = printer.Collect(1, 5s, 0ms);
  ASSERT_EQ(requests.size(), 1u);
  printer.Send(requests[0].from, 15001, "<ZQ><STSMOA><ABCDEFGHIJK>");
  EXPECT_EQ(call.get(), std::make_pair(DWORD{20}, corvane::error::kMessageSize));
}

}  // namespace
