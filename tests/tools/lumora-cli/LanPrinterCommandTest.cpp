// lumora-cli printer against the printer-sim that scripts/vlan starts on
// peer 1 (printers from 10.77.16.1), with queues in a CUPS scheduler of the
// test's own. Runs only inside the virtual LAN.
#include <gtest/gtest.h>

#include <cstdlib>

#include "CliCopy.h"
#include "FileText.h"
#include "PrinterSetup.h"
#include "VirtualLan.h"

namespace {

using namespace std::chrono_literals;

using CliResult = CliCopy::Result;

CliResult Printer(std::vector<std::string> args) {
  args.insert(args.begin(), {LUMORA_BINARY_DIR "/bin/lumora-cli", "printer"});
  ChildRun run(args);
  const int exit = run.Wait(30s);
  return {exit, run.Out(), run.Err()};
}

TEST(LanPrinterCommand, EveryFunctionByItsName) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  PrinterSetup setup;
  ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
  ASSERT_TRUE(setup.AddPrinter("Udp-Front", "socket://10.77.16.1:9100", 0));
  // Each name reaches its function and prints its kind of answer; over TCP
  // too: LanPrinterLinkTest.
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"SendReceiveDataEth", "1D4903", "4"}, "answer=0x56,0x31,0x2E,0x32\n"},
      {{"GetStatusEth"}, "answer=0x01,0x02,0x03,0x04,0x05,0x06\n"},
      {{"GetGSIEth"}, "answer=0x12\n"},
      {{"GetReleaseEth"}, "answer=0x56,0x31,0x2E,0x32\n"},
      {{"GetHeadTempEth"}, "answer=0x30,0x32,0x33,0x2E,0x35,0x43\n"},
      {{"GetPowVoltageEth"}, "answer=0x32,0x34,0x2E,0x31,0x30,0x56\n"},
      {{"GetTotNumOfPowerOnEth"}, "value=1234\n"},
      {{"GetNumTotCutEth"}, "value=5678\n"},
      {{"GetTotNumOfRetractEth"}, "value=42\n"},
      {{"GetTotPaperRemainingEth"}, "value=750\n"},
      {{"GetTotPaperPrintedEth"}, "value=1200\n"},
      {{"GetTimeToCutEth"}, "value=37\n"},
      {{"GetRetractEnDisEth"}, "value=1\n"},
      {{"GetNotchEnDisEth"}, "value=0\n"},
      {{"GetNotchDistanceEth"}, "value=125\n"},
      {{"GetNotchThresholdEth"}, "value=3.9\n"},
      {{"SendResetEth"}, ""},
      {{"SendResetIIEth"}, ""},
      {{"SendResetIIIEth"}, ""},
      {{"SendEnDisRecyclePrnEth", "1"}, ""},
  };
  for (const auto& [call, lines] : cases) {
    std::vector<std::string> args = {"Udp-Front"};
    args.insert(args.end(), call.begin(), call.end());
    const CliResult run = Printer(args);
    EXPECT_EQ(run.exit, 0) << call[0] << run.err;
    EXPECT_EQ(run.out, "result=0\n" + lines) << call[0];
  }
}

TEST(LanPrinterCommand, FailuresTracesAndUsage) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  PrinterSetup setup;
  ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
  ASSERT_TRUE(setup.AddPrinter("Udp-Front", "socket://10.77.16.1:9100", 0));
  ASSERT_TRUE(setup.AddPrinter("Keyless", "socket://10.77.16.1:9100", -1));

  const CliResult traced = Printer({"Udp-Front", "GetGSIEth", "--trace"});
  EXPECT_EQ(traced.exit, 0);
  EXPECT_NE(traced.err.find("GetGSIEth(...): Starting to get GSI\n"), std::string::npos);
  EXPECT_NE(traced.err.find("SendReceiveCom(...): Communication closed\n"), std::string::npos);

  // Without --trace, CORVANE_TRACE sends the lines to a file.
  const std::string traceFile = setup.LockDir() + "/trace.txt";
  setenv("CORVANE_TRACE", traceFile.c_str(), 1);
  const CliResult quiet = Printer({"Udp-Front", "GetGSIEth"});
  unsetenv("CORVANE_TRACE");
  EXPECT_EQ(quiet.err, "");
  EXPECT_EQ(FileText(traceFile).rfind("GetGSIEth(...): Starting to get GSI\n", 0), 0u);

  const CliResult failed = Printer({"Keyless", "GetStatusEth"});
  EXPECT_EQ(failed.exit, 1);
  EXPECT_EQ(failed.out, "result=4\n");
  EXPECT_NE(failed.err.find("Tolvan\\Keyless\\EthPrt"), std::string::npos) << failed.err;

  for (const std::vector<std::string>& usage :
       {std::vector<std::string>{"Udp-Front", "GetNothingEth"},
        {"Udp-Front", "GetStatusEth", "extra"},
        {"Udp-Front", "SendReceiveDataEth", "1D4", "4"}}) {
    const CliResult run = Printer(usage);
    EXPECT_EQ(run.exit, 2) << usage[1];
    EXPECT_EQ(run.out, "") << usage[1];
  }
}

}  // namespace
