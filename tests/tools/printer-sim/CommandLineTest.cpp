// printer-sim's command line.
#include <gtest/gtest.h>

#include "CommandLine.h"

using namespace printersim;

namespace {

TEST(CommandLineTest, DefaultsAndEveryOption) {
  std::string error;
  auto o = CommandLine::Parse({"--count", "5"}, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->base.ToString() + " " + std::to_string(o->port) + " " + std::to_string(o->answerPort) +
                " " + std::to_string(o->webPort),
            "10.77.16.1 15000 15001 80");
  o = CommandLine::Parse({"--count=3", "--base", "10.1.2.3", "--mask=255.0.0.0", "--gateway",
                          "10.0.0.1", "--port", "16000", "--answer-port=16001", "--web-port=0", "--drop", "12.5",
                          "--garbage", "3", "--duplicate", "--delay", "250", "--seed", "99", "-v",
                          "--allow-host-network"}, error);
  ASSERT_TRUE(o) << error;
  EXPECT_EQ(o->base.ToString() + " " + o->subnetMask.ToString() + " " + o->gateway.ToString() + " " +
                std::to_string(o->port) + " " + std::to_string(o->answerPort) + " " + std::to_string(o->webPort),
            "10.1.2.3 255.0.0.0 10.0.0.1 16000 16001 0");
  EXPECT_EQ(o->faults.dropPercent, 12.5);
  EXPECT_EQ(o->faults.garbagePercent, 3);
  EXPECT_EQ(o->delayMs, 250u);
  EXPECT_EQ(o->faults.seed, 99u);
  EXPECT_TRUE(o->faults.duplicate && o->verbose && o->allowHostNetwork);
  EXPECT_EQ(CommandLine::Parse({"--config", "printers.conf"}, error)->configPath, "printers.conf");
  EXPECT_EQ(o->setReply, SetReply::kConfirm);
  const std::pair<const char*, SetReply> replies[] = {{"--refuse-set", SetReply::kRefuse},
      {"--garble-set", SetReply::kWithoutSet}, {"--set-keeps-address", SetReply::kConfirmInPlace}};
  for (const auto& [option, reply] : replies)
    EXPECT_EQ(CommandLine::Parse({"--count=1", option}, error)->setReply, reply) << option;
}

TEST(CommandLineTest, UsageErrorsAreNamed) {
  const std::pair<std::vector<std::string_view>, const char*> cases[] = {
      {{}, "no printers: give --config FILE or --count N"},
      {{"--count", "2", "--config", "f"}, "--config and --count exclude each other"},
      {{"--config", "f", "--base", "10.0.0.1"}, "--base needs --count"},
      {{"--count", "0"}, "invalid value '0' for --count"},
      {{"--count"}, "option --count needs a value"},
      {{"--count", "2", "--drop", "101"}, "invalid value '101' for --drop"},
      {{"--count", "2", "--garbage", "nan"}, "invalid value 'nan' for --garbage"},
      {{"--count", "2", "--port", "65536"}, "invalid value '65536' for --port"},
      {{"--count", "2", "--base", "10.77.16"}, "invalid value '10.77.16' for --base"},
      {{"--count", "2", "--answer-port", "15000"}, "--port and --answer-port must differ"},
      {{"--count", "2", "--duplicate=yes"}, "unknown option '--duplicate=yes'"},
      {{"--count=2", "--garble-set", "--refuse-set"},
       "--refuse-set, --garble-set and --set-keeps-address exclude each other"}};
  for (const auto& [args, message] : cases) {
    std::string error;
    EXPECT_FALSE(CommandLine::Parse(args, error));
    EXPECT_EQ(error, message);
  }
  std::string error;
  EXPECT_TRUE(CommandLine::Parse({"--help"}, error)->help);
}

}  // namespace
