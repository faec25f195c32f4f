// Dropped, duplicated and spoilt answers.
#include <gtest/gtest.h>

#include "FaultInjector.h"

using namespace printersim;

namespace {

const std::string kAnswer = "<ZQ><MAC><00-1B-4C-00-00-01>";

std::vector<std::string> Inject(FaultInjector::Settings settings, int answers) {
  FaultInjector faults(settings);
  std::vector<std::string> out;
  for (int i = 0; i < answers; ++i) faults.Apply(kAnswer, out);
  return out;
}

TEST(FaultInjectorTest, WithoutFaultsEveryAnswerGoesOnce) {
  EXPECT_EQ(Inject({}, 100), std::vector<std::string>(100, kAnswer));
}

TEST(FaultInjectorTest, DropShareIsRoughlyKept) {
  EXPECT_TRUE(Inject({.dropPercent = 100}, 100).empty());
  const auto kept = Inject({.dropPercent = 30, .seed = 7}, 10000).size();
  EXPECT_GT(kept, 6600u);
  EXPECT_LT(kept, 7400u);
}

TEST(FaultInjectorTest, DuplicateSendsEveryAnswerTwice) {
  EXPECT_EQ(Inject({.duplicate = true}, 3), std::vector<std::string>(6, kAnswer));
}

TEST(FaultInjectorTest, SameSeedSameFaults) {
  const FaultInjector::Settings settings{.dropPercent = 20, .garbagePercent = 40, .seed = 42};
  EXPECT_EQ(Inject(settings, 500), Inject(settings, 500));
  auto other = settings;
  other.seed = 43;
  EXPECT_NE(Inject(settings, 500), Inject(other, 500));
}

TEST(FaultInjectorTest, FullGarbageNeverPassesAsAGoodAnswer) {
  const auto out = Inject({.garbagePercent = 100, .seed = 3}, 500);
  ASSERT_EQ(out.size(), 500u);
  bool oversized = false, zeroes = false, untagged = false;
  for (const std::string& g : out) {
    EXPECT_NE(g, kAnswer);
    // A receiver reads up to the first zero byte and looks for "<ZQ>" then "<MAC>".
    const std::string text = g.substr(0, g.find('\0'));
    const bool readable = text.starts_with("<ZQ>") && text.find("<MAC>") != std::string::npos;
    if (readable) {
      EXPECT_GE(g.size(), 1024u) << "only an oversized answer keeps its tag";
    }
    oversized |= g.size() >= 1024;
    zeroes |= g.find('\0') != std::string::npos && g.starts_with("<ZQ>");
    untagged |= !g.starts_with("<ZQ>");
  }
  EXPECT_TRUE(oversized && zeroes && untagged);
}

TEST(FaultInjectorTest, EachGarbageKindHasItsShape) {
  FaultInjector faults({});
  using G = FaultInjector::Garbage;
  EXPECT_EQ(faults.MakeGarbage(G::kNoTag, kAnswer), "<MAC><00-1B-4C-00-00-01>");
  EXPECT_EQ(faults.MakeGarbage(G::kUnknownTag, kAnswer), "<ZQ><XYZ><00-1B-4C-00-00-01>");
  const std::string zero = faults.MakeGarbage(G::kZeroBytes, kAnswer);
  EXPECT_EQ(zero.substr(0, zero.find('\0')), "<ZQ><");
  const std::string big = faults.MakeGarbage(G::kOversized, kAnswer);
  EXPECT_GE(big.size(), 1024u);
  EXPECT_LE(big.size(), 1500u);
  EXPECT_TRUE(big.starts_with(kAnswer));
  for (int i = 0; i < 50; ++i) {
    const std::size_t size = faults.MakeGarbage(G::kRandomBytes, kAnswer).size();
    EXPECT_GE(size, 1u);
    EXPECT_LE(size, 64u);
  }
}

}  // namespace
