#include "CConsoleDiscoveryOwner.h"

#include <gtest/gtest.h>

#include <regex>

// Seven milliseconds past a whole second show as three digits.
TEST(ConsoleOwner, DebugLinesAreTimeStampedToTheMillisecond) {
  const auto at = std::chrono::system_clock::time_point(std::chrono::seconds(1700000000)) +
                  std::chrono::milliseconds(7);
  const std::wstring line = CConsoleDiscoveryOwner::TimeStamped(L"<END_JOB>", at);
  EXPECT_TRUE(std::regex_match(line, std::wregex(LR"(\[\d\d:\d\d:\d\d:007\], <END_JOB>)")))
      << std::string(line.begin(), line.end());
}
