#include "FaultInjector.h"

namespace printersim {

namespace {
constexpr std::string_view kTag = "<ZQ>";
}

FaultInjector::FaultInjector(const Settings& settings)
    : settings_(settings), random_(settings.seed) {}

bool FaultInjector::Chance(double percent) {
  if (percent <= 0) return false;
  if (percent >= 100) return true;
  return std::uniform_real_distribution<double>(0, 100)(random_) < percent;
}

void FaultInjector::Apply(const std::string& answer, std::vector<std::string>& out) {
  if (Chance(settings_.dropPercent)) return;
  std::string sent = answer;
  if (Chance(settings_.garbagePercent)) {
    const int kinds = static_cast<int>(Garbage::kCount);
    const auto kind = std::uniform_int_distribution<int>(0, kinds - 1)(random_);
    sent = MakeGarbage(static_cast<Garbage>(kind), answer);
  }
  if (settings_.duplicate) out.push_back(sent);
  out.push_back(std::move(sent));
}

std::string FaultInjector::RandomBytes(std::size_t count) {
  std::uniform_int_distribution<int> byte(0, 255);
  std::string bytes(count, '\0');
  for (char& c : bytes) c = static_cast<char>(byte(random_));
  return bytes;
}

std::string FaultInjector::MakeGarbage(Garbage kind, const std::string& answer) {
  const std::string body = answer.starts_with(kTag) ? answer.substr(kTag.size()) : answer;
  switch (kind) {
    case Garbage::kRandomBytes:
      return RandomBytes(std::uniform_int_distribution<std::size_t>(1, 64)(random_));
    case Garbage::kNoTag:
      return body;
    case Garbage::kUnknownTag:
      // The tag's place taken by one no receiver knows; the value stays.
      return std::string(kTag) + "<XYZ>" + body.substr(std::min(body.find('>') + 1, body.size()));
    case Garbage::kZeroBytes: {
      std::string spoilt = answer;
      spoilt.insert(std::min<std::size_t>(kTag.size() + 1, spoilt.size()), 2, '\0');
      return spoilt;
    }
    case Garbage::kOversized: {
      const auto size = std::uniform_int_distribution<std::size_t>(1024, 1500)(random_);
      std::string big = answer;
      big.resize(std::max(size, big.size()), 'A');
      return big;
    }
    case Garbage::kCount:
      break;
  }
  return answer;
}

}  // namespace printersim
