// Dropped, duplicated and spoilt answers.
#include <gtest/gtest.h>

#include "FaultInjector.h"

using namespace printersim;

namespace {

const std::string kAnswer = "<ZQ><MAC><02-51-4D-00-00-01>";

std::vector<std::string> Inject(FaultInjector::Settings settings, int answers) {
  FaultInjector faults(settings);
  std::vector<std::string> out;
  for (int i = 0; i < answers; ++i) faults.Apply(kAnswer, out);
  return out;
}

TEST(FaultInjectorTest, DropAndDuplicateChangeTheCount) {
  EXPECT_EQ(Inject({}, 100), std::vector<std::string>(100, kAnswer));
  EXPECT_EQ(Inject({.duplicate = true}, 3), std::vector<std::string>(6, kAnswer));
  EXPECT_TRUE(Inject({.dropPercent = 100}, 100).empty());
  const auto kept = Inject({.dropPercent = 30, .seed = 7}, 10000).size();
  EXPECT_GT(kept, 6600u);
  EXPECT_LT(kept, 7400u);
}

TEST(FaultInjectorTest, SameSeedSameFaults) {
  FaultInjector::Settings settings{.dropPercent = 20, .garbagePercent = 40, .seed = 42};
  const auto first = Inject(settings, 500);
  EXPECT_EQ(Inject(settings, 500), first);
  settings.seed = 43;
  EXPECT_NE(Inject(settings, 500), first);
}

TEST(FaultInjectorTest, GarbageNeverReadsAsAGoodAnswerAndCoversEveryKind) {
  bool oversized = false, zeroes = false, untagged = false, unknownTag = false;
  for (const std::string& g : Inject({.garbagePercent = 100, .seed = 3}, 500)) {
    // A receiver reads up to the first zero byte, wants "<ZQ>" first, then a tag.
    const std::string text = g.substr(0, g.find('\0'));
    const bool tagged = text.starts_with("<ZQ>");
    if (tagged && text.find("<MAC>") != std::string::npos) {
      EXPECT_GE(g.size(), 1024u) << "only an oversized answer keeps its tag";
    }
    oversized |= g.size() >= 1024;
    zeroes |= tagged && g.find('\0') != std::string::npos;
    untagged |= !tagged;
    unknownTag |= text == "<ZQ><XYZ><02-51-4D-00-00-01>";
    EXPECT_LE(g.size(), 1500u);
  }
  EXPECT_TRUE(oversized && zeroes && untagged && unknownTag);
}

}  // namespace
