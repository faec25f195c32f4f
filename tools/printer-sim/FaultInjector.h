#pragma once
// Spoils answers on purpose, for tests and benchmarks of the receiving side:
// drops a share of them, replaces a share with garbage, sends each twice.
// Every decision comes from one seeded generator, so a run can be repeated.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace printersim {

class FaultInjector {
 public:
  struct Settings {
    double dropPercent = 0;
    double garbagePercent = 0;
    bool duplicate = false;
    std::uint64_t seed = 1;
  };

  // The kinds of garbage that replace an answer.
  enum class Garbage { kRandomBytes, kNoTag, kUnknownTag, kZeroBytes, kOversized, kCount };

  explicit FaultInjector(const Settings& settings);

  // Appends what goes on the wire for one answer: nothing, the answer or
  // garbage in its place, once or twice.
  void Apply(const std::string& answer, std::vector<std::string>& out);

  // Garbage of one kind made from `answer`.
  std::string MakeGarbage(Garbage kind, const std::string& answer);

 private:
  bool Chance(double percent);
  std::string RandomBytes(std::size_t count);

  Settings settings_;
  std::mt19937_64 random_;
};

}  // namespace printersim
