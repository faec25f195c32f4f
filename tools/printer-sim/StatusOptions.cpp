#include "StatusOptions.h"

#include <charconv>

#include "ParseNumber.h"

namespace printersim {

namespace {

// A number from 0 to max.
template <typename Number>
bool Parse(std::string_view text, Number max, Number& out) {
  return ParseNumber(text, Number{}, max, out);
}

// Hexadecimal bytes, two digits each: "1D4903".
bool ParseHex(std::string_view text, std::string& out) {
  if (text.size() % 2 != 0) return false;
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i += 2) {
    unsigned byte = 0;
    const auto [end, ec] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
    if (ec != std::errc() || end != text.data() + i + 2) return false;
    bytes += static_cast<char>(byte);
  }
  out = std::move(bytes);
  return true;
}

bool ParseChar(std::string_view text, char& out) {
  if (text.size() != 1) return false;
  out = text[0];
  return true;
}

// REQUEST=ANSWER in hexadecimal, or REQUEST=none for silence.
bool ParseOverride(StatusSettings& s, std::string_view text) {
  const auto eq = text.find('=');
  std::string request, answer;
  if (eq == std::string_view::npos || !ParseHex(text.substr(0, eq), request) || request.empty())
    return false;
  if (text.substr(eq + 1) == "none") {
    s.overrides[request] = std::nullopt;
    return true;
  }
  if (!ParseHex(text.substr(eq + 1), answer)) return false;
  s.overrides[request] = answer;
  return true;
}

constexpr unsigned long long kMaxCounter = 999999999999ull;

}  // namespace

const std::map<std::string_view, StatusOptions::Setter>& StatusOptions::ValueOptions() {
  static const std::map<std::string_view, Setter> options = {
      {"--tcp-port", [](StatusSettings& s, std::string_view v) {
         s.tcpPortGiven = true;
         return Parse<std::uint16_t>(v, 65535, s.tcpPort); }},
      {"--power-on", [](StatusSettings& s, std::string_view v) {
         return Parse(v, kMaxCounter, s.powerOn); }},
      {"--cuts", [](StatusSettings& s, std::string_view v) { return Parse(v, kMaxCounter, s.cuts); }},
      {"--retracts", [](StatusSettings& s, std::string_view v) {
         return Parse(v, kMaxCounter, s.retracts); }},
      {"--paper-remaining", [](StatusSettings& s, std::string_view v) {
         return Parse(v, kMaxCounter, s.paperRemainingCm); }},
      {"--paper-printed", [](StatusSettings& s, std::string_view v) {
         return Parse(v, kMaxCounter, s.paperPrintedCm); }},
      {"--time-to-cut", [](StatusSettings& s, std::string_view v) {
         return Parse(v, 2559u, s.timeToCut); }},
      {"--notch-distance", [](StatusSettings& s, std::string_view v) {
         return Parse(v, 2559u, s.notchDistance); }},
      {"--retract-enabled", [](StatusSettings& s, std::string_view v) {
         return ParseChar(v, s.retractEnabled); }},
      {"--notch-enabled", [](StatusSettings& s, std::string_view v) {
         return ParseChar(v, s.notchEnabled); }},
      {"--notch-threshold", [](StatusSettings& s, std::string_view v) {
         return Parse<std::uint8_t>(v, 255, s.notchThreshold); }},
      {"--status", [](StatusSettings& s, std::string_view v) { return ParseHex(v, s.status); }},
      {"--gsi", [](StatusSettings& s, std::string_view v) { return ParseHex(v, s.gsi); }},
      {"--release", [](StatusSettings& s, std::string_view v) { return ParseHex(v, s.release); }},
      {"--head-temp", [](StatusSettings& s, std::string_view v) { return ParseHex(v, s.headTemp); }},
      {"--voltage", [](StatusSettings& s, std::string_view v) { return ParseHex(v, s.voltage); }},
      {"--answer", ParseOverride},
  };
  return options;
}

const std::map<std::string_view, StatusOptions::Flag>& StatusOptions::Flags() {
  static const std::map<std::string_view, Flag> flags = {
      {"--refuse", [](StatusSettings& s) { s.refuse = true; }},
      {"--wrong-form", [](StatusSettings& s) { s.wrongForm = true; }},
  };
  return flags;
}

std::string StatusOptions::Help() {
  return R"(
Status exchange (the printer link's functions):
  Framed requests "<ZQ><STSMOQ><" bytes ">" on the printers' port are
  answered "<ZQ><STSMOA><" answer ">" on the answer port; on the TCP port the
  bare request bytes are answered with the framed answer on the connection.
  --delay also delays these answers, over both protocols.
  --tcp-port P          TCP port of the status exchange (default 9100, 0: off;
                        without this option a taken port 9100 only warns)
  --power-on N          power-on count, answered "<N>on" (default 1234)
  --cuts N              cut count, "<N>cuts" (default 5678)
  --retracts N          retract count, "<N>ret" (default 42)
  --paper-remaining CM  paper remaining, "<CM>cm" (default 750)
  --paper-printed CM    paper printed, "<CM>cm" (default 1200)
  --time-to-cut N       bytes N/10 and N%10, then "CutT" (default 37)
  --notch-distance N    bytes N/10 and N%10, then "Dist" (default 125)
  --retract-enabled C   character C, then "Ren" (default 1)
  --notch-enabled C     character C, then "Nen" (default 0)
  --notch-threshold B   byte B, then "Nth" (default 200: 3.9 V)
  --status HEX          status bytes (default 010203040506)
  --gsi HEX             GSI byte (default 12)
  --release HEX         release bytes (default 56312E32, "V1.2")
  --head-temp HEX       head temperature bytes (default "023.5C")
  --voltage HEX         voltage bytes (default "24.10V")
  --answer REQ=ANS      answer the request bytes REQ (hex) with the bytes ANS
                        (hex) instead; REQ=none: never answer it
  --refuse              answer the commands (resets, recycle) with 0x15
  --wrong-form          frame the answers with "<STSMOQ>" instead of "<STSMOA>"
On exit the simulator prints how many status exchanges it served and how many
of them overlapped an earlier one with the same printer (a request that came
while the answer to the previous one was still due).
)";
}

}  // namespace printersim
