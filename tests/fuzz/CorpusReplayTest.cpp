// Feeds every file of each fuzz target's seed corpus (fuzz/corpus/NAME/) to
// the target's entry point. A target reports a finding by aborting, which
// fails its case; the file being replayed is named on standard error first.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "FuzzEntries.h"

namespace {

class CorpusReplay : public ::testing::TestWithParam<FuzzEntry> {};

TEST_P(CorpusReplay, EveryCorpusFileRunsClean) {
  const std::filesystem::path dir =
      std::filesystem::path(LUMORA_SOURCE_DIR) / "fuzz" / "corpus" / GetParam().szName;
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(dir))
    if (entry.is_regular_file()) files.push_back(entry.path());
  ASSERT_FALSE(files.empty()) << "no seed corpus in " << dir;
  for (const auto& file : files) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    std::cerr << "replaying " << file << "\n";
    EXPECT_EQ(GetParam().pfnOneInput(bytes.data(), bytes.size()), 0) << file;
  }
}

INSTANTIATE_TEST_SUITE_P(Fuzzers, CorpusReplay, ::testing::ValuesIn(kFuzzEntries),
                         [](const auto& info) { return std::string(info.param.szName); });

}  // namespace
