#include "StatusTable.h"

#include <array>

namespace printersim {

namespace {

constexpr char kAck = 0x06;
constexpr char kNak = 0x15;

std::string Counter(unsigned long long value, std::string_view unit) {
  return std::to_string(value) + std::string(unit);
}

// Two value bytes (tens, units) followed by the mark.
std::string TwoBytes(unsigned value, std::string_view mark) {
  std::string answer;
  answer += static_cast<char>((value / 10) & 0xFF);
  answer += static_cast<char>(value % 10);
  return answer + std::string(mark);
}

std::string Command(const StatusSettings& s) { return std::string(1, s.refuse ? kNak : kAck); }

constexpr std::array<StatusRequest, 20> kRequests = {{
    {"GetStatusEth", "\x10\x04\x14", [](const StatusSettings& s) { return s.status; }},
    {"GetGSIEth", "\x10\x04\x15", [](const StatusSettings& s) { return s.gsi; }},
    {"GetReleaseEth", "\x1D\x49\x03", [](const StatusSettings& s) { return s.release; }},
    {"GetHeadTempEth", "\x1D\xDE", [](const StatusSettings& s) { return s.headTemp; }},
    {"GetPowVoltageEth", "\x1D\xDF", [](const StatusSettings& s) { return s.voltage; }},
    {"GetTotNumOfPowerOnEth", "\x1D\xE5",
     [](const StatusSettings& s) { return Counter(s.powerOn, "on"); }},
    {"GetNumTotCutEth", "\x1D\xE2", [](const StatusSettings& s) { return Counter(s.cuts, "cuts"); }},
    {"GetTotNumOfRetractEth", "\x1D\xE4",
     [](const StatusSettings& s) { return Counter(s.retracts, "ret"); }},
    {"GetTotPaperRemainingEth", "\x1D\xE1",
     [](const StatusSettings& s) { return Counter(s.paperRemainingCm, "cm"); }},
    {"GetTotPaperPrintedEth", "\x1D\xE3",
     [](const StatusSettings& s) { return Counter(s.paperPrintedCm, "cm"); }},
    {"GetTimeToCutEth", "\x1D\xD9", [](const StatusSettings& s) { return TwoBytes(s.timeToCut, "CutT"); }},
    {"GetRetractEnDisEth", "\x1D\xDC",
     [](const StatusSettings& s) { return std::string(1, s.retractEnabled) + "Ren"; }},
    {"GetNotchEnDisEth", "\x1D\xDA",
     [](const StatusSettings& s) { return std::string(1, s.notchEnabled) + "Nen"; }},
    {"GetNotchDistanceEth", "\x1D\xDB",
     [](const StatusSettings& s) { return TwoBytes(s.notchDistance, "Dist"); }},
    {"GetNotchThresholdEth", "\x1D\xDD",
     [](const StatusSettings& s) { return std::string(1, static_cast<char>(s.notchThreshold)) + "Nth"; }},
    {"SendResetEth", "\x1C\xC0\x18\x10\x14\x1A", Command},
    {"SendResetIIEth", "\x1C\xC0\x18\x10\x14\x17", Command},
    {"SendResetIIIEth", "\x1C\xC0\x18\x10\x14\x19", Command},
    {"SendEnDisRecyclePrnEth 1", "\x1C\xC0\x18\x10\x14\x16", Command},
    {"SendEnDisRecyclePrnEth 0", "\x1C\xC0\x18\x10\x14\x18", Command},
}};

}  // namespace

std::span<const StatusRequest> StatusTable::Requests() { return kRequests; }

const StatusRequest* StatusTable::Find(std::string_view bytes) {
  for (const StatusRequest& request : kRequests) {
    if (request.bytes == bytes) return &request;
  }
  return nullptr;
}

bool StatusTable::IsStartOfRequest(std::string_view bytes) {
  for (const StatusRequest& request : kRequests) {
    if (request.bytes.size() > bytes.size() && request.bytes.starts_with(bytes)) return true;
  }
  return false;
}

std::optional<std::string> StatusTable::AnswerFrame(const StatusRequest& request,
                                                    const StatusSettings& settings) {
  std::string payload;
  if (const auto it = settings.overrides.find(std::string(request.bytes));
      it != settings.overrides.end()) {
    if (!it->second) return std::nullopt;
    payload = *it->second;
  } else {
    payload = request.answer(settings);
  }
  return std::string(settings.wrongForm ? kQueryHeader : kAnswerHeader) + payload + ">";
}

std::string StatusTable::QueryFrame(std::string_view bytes) {
  return std::string(kQueryHeader) + std::string(bytes) + ">";
}

}  // namespace printersim
