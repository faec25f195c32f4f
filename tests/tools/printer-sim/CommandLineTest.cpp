// printer-sim's command line.
#include <gtest/gtest.h>

#include "CommandLine.h"

using namespace printersim;

namespace {

std::optional<SimOptions> Parse(std::vector<std::string_view> args, std::string& error) {
  return CommandLine::Parse(args, error);
}

TEST(CommandLineTest, DefaultsAndEveryOption) {
  std::string error;
  auto o = Parse({"--count", "5"}, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->count, 5u);
  EXPECT_EQ(o->base.ToString(), "10.77.16.1");
  EXPECT_EQ(o->port, 15000);
  EXPECT_EQ(o->answerPort, 15001);
  EXPECT_EQ(o->delayMs, 0u);
  EXPECT_FALSE(o->faults.duplicate);

  o = Parse({"--count=3", "--base", "10.1.2.3", "--mask=255.0.0.0", "--gateway", "10.0.0.1",
             "--port", "16000", "--answer-port=16001", "--drop", "12.5", "--garbage", "3",
             "--duplicate", "--delay", "250", "--seed", "99", "-v", "--allow-host-network"},
            error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->base.ToString(), "10.1.2.3");
  EXPECT_EQ(o->subnetMask.ToString(), "255.0.0.0");
  EXPECT_EQ(o->gateway.ToString(), "10.0.0.1");
  EXPECT_EQ(o->port, 16000);
  EXPECT_EQ(o->answerPort, 16001);
  EXPECT_DOUBLE_EQ(o->faults.dropPercent, 12.5);
  EXPECT_DOUBLE_EQ(o->faults.garbagePercent, 3);
  EXPECT_TRUE(o->faults.duplicate);
  EXPECT_EQ(o->delayMs, 250u);
  EXPECT_EQ(o->faults.seed, 99u);
  EXPECT_TRUE(o->verbose);
  EXPECT_TRUE(o->allowHostNetwork);

  o = Parse({"--config", "printers.conf"}, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->configPath, "printers.conf");
  EXPECT_TRUE(Parse({"--help"}, error)->help);
}

TEST(CommandLineTest, UsageErrorsAreNamed) {
  struct Case {
    std::vector<std::string_view> args;
    const char* error;
  };
  for (const Case& c : {
           Case{{}, "no printers: give --config FILE or --count N"},
           Case{{"--count", "2", "--config", "f"}, "--config and --count exclude each other"},
           Case{{"--config", "f", "--base", "10.0.0.1"}, "--base needs --count"},
           Case{{"--count", "0"}, "invalid value '0' for --count"},
           Case{{"--count", "2x"}, "invalid value '2x' for --count"},
           Case{{"--count"}, "option --count needs a value"},
           Case{{"--count", "2", "--drop", "101"}, "invalid value '101' for --drop"},
           Case{{"--count", "2", "--garbage", "-1"}, "invalid value '-1' for --garbage"},
           Case{{"--count", "2", "--port", "65536"}, "invalid value '65536' for --port"},
           Case{{"--count", "2", "--base", "10.77.16"}, "invalid value '10.77.16' for --base"},
           Case{{"--count", "2", "--answer-port", "15000"}, "--port and --answer-port must differ"},
           Case{{"--count", "2", "--duplicate=yes"}, "unknown option '--duplicate=yes'"},
           Case{{"--count", "2", "extra"}, "unknown option 'extra'"},
       }) {
    std::string error;
    EXPECT_FALSE(Parse(c.args, error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(CommandLineTest, HelpNamesEveryOption) {
  const std::string help = CommandLine::Help();
  for (const char* option : {"--config", "--count", "--base", "--mask", "--gateway", "--port",
                             "--answer-port", "--drop", "--garbage", "--duplicate", "--delay",
                             "--seed", "--verbose", "--allow-host-network", "--help"}) {
    EXPECT_NE(help.find(option), std::string::npos) << option;
  }
}

}  // namespace
