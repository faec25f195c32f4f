#pragma once
// A test inside the virtual LAN with printer-sim on peer 1 (kPrinters
// printers from 10.77.16.1, started by the test with the options it needs)
// and print queues in a CUPS scheduler of the test's own. Skipped outside
// scripts/vlan.
#include <gtest/gtest.h>

#include <csignal>
#include <memory>
#include <string>
#include <vector>

#include "PrinterSetup.h"
#include "VirtualLan.h"

template <int kPrinters>
class LanSimulatorTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { VirtualLan::AddPrinterAddresses(kPrinters); }
  void SetUp() override {
    if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN (scripts/vlan)";
    ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
  }
  void TearDown() override {
    if (sim) {
      sim->Signal(SIGTERM);
      EXPECT_EQ(sim->Wait(std::chrono::seconds(5)), 0) << sim->Err();
    }
  }
  void StartSim(std::vector<std::string> args) {
    args.insert(args.begin(), {"--count", std::to_string(kPrinters), "--base", "10.77.16.1"});
    sim = VirtualLan::StartSim(args);
  }

  PrinterSetup setup;
  std::unique_ptr<ChildRun> sim;
};
