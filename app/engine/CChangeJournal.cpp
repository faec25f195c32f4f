#include "CChangeJournal.h"

#include "EnginePlatform.h"
#include "LumoraStrings.h"

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

using nlohmann::json;
using EnginePlatform::Utf8ToWide;
using EnginePlatform::WideToUtf8;

json SettingsJson(const CPrinterSettings& s) {
  return {{"name", WideToUtf8(s.strName)},         {"ip", WideToUtf8(s.strIpAddress)},
          {"subnet_mask", WideToUtf8(s.strSubnetMask)}, {"gateway", WideToUtf8(s.strGateway)},
          {"dhcp", WideToUtf8(s.strDhcp)}};
}

std::wstring Text(const json& object, const char* szKey) {
  const auto it = object.find(szKey);
  return it != object.end() && it->is_string() ? Utf8ToWide(it->get<std::string>())
                                               : std::wstring();
}

CPrinterSettings SettingsOf(const json& object) {
  return {Text(object, "name"), Text(object, "ip"), Text(object, "subnet_mask"),
          Text(object, "gateway"), Text(object, "dhcp")};
}

}  // namespace

CChangeJournal::CChangeJournal(std::filesystem::path file) : m_Path(std::move(file)) {}

std::filesystem::path CChangeJournal::DefaultPath() {
  const std::filesystem::path state = EnginePlatform::UserStateDirectory();
  return state.empty() ? state : state / "lumora" / "changes.jsonl";
}

std::wstring CChangeJournal::OutcomeName(const CConfigurationExchange::SetOutcome& outcome) {
  if (!outcome.bSent) return {};
  switch (outcome.uiMessage) {
    case LumoraStrings::kSetConfirmed: return L"confirmed";
    case LumoraStrings::kSetNotConfirmed: return outcome.bAnswered ? L"refused" : L"no answer";
    default: return L"trouble";
  }
}

std::string CChangeJournal::ToJson(const CChangeEntry& e) {
  json line = {{"time", e.strTime},
               {"source", WideToUtf8(e.strSource)},
               {"interface", WideToUtf8(e.strInterface)},
               {"local_address", WideToUtf8(e.strLocalAddress)},
               {"mac", WideToUtf8(e.strMac)},
               {"old", e.oldSettings ? SettingsJson(*e.oldSettings) : json(nullptr)},
               {"new", SettingsJson(e.newSettings)},
               {"outcome", WideToUtf8(e.strOutcome)},
               {"verification", WideToUtf8(e.strVerification)},
               {"verification_text", WideToUtf8(e.strVerificationText)}};
  return line.dump(-1, ' ', false, json::error_handler_t::replace);
}

bool CChangeJournal::FromJson(std::string_view line, CChangeEntry& e) {
  const json object = json::parse(line.begin(), line.end(), nullptr, false);
  if (!object.is_object() || !object.contains("time") || !object.contains("mac")) return false;
  e = {};
  e.strTime = WideToUtf8(Text(object, "time"));
  e.strSource = Text(object, "source");
  e.strInterface = Text(object, "interface");
  e.strLocalAddress = Text(object, "local_address");
  e.strMac = Text(object, "mac");
  if (const auto old = object.find("old"); old != object.end() && old->is_object())
    e.oldSettings = SettingsOf(*old);
  if (const auto fresh = object.find("new"); fresh != object.end() && fresh->is_object())
    e.newSettings = SettingsOf(*fresh);
  e.strOutcome = Text(object, "outcome");
  e.strVerification = Text(object, "verification");
  e.strVerificationText = Text(object, "verification_text");
  return true;
}

bool CChangeJournal::Append(const CChangeEntry& entry, std::string& error) const {
  if (m_Path.empty()) {
    error = "no place for the change journal (neither XDG_STATE_HOME nor HOME is set)";
    return false;
  }
  return EnginePlatform::AppendDurably(m_Path, ToJson(entry) + "\n", error);
}

bool CChangeJournal::Read(Contents& contents, std::string& error) const {
  contents = {};
  std::error_code ec;
  if (!std::filesystem::exists(m_Path, ec)) return true;
  std::ifstream file(m_Path, std::ios::binary);
  if (!file) {
    error = "cannot read " + m_Path.string();
    return false;
  }
  std::ostringstream text;
  text << file.rdbuf();
  const std::string all = text.str();
  std::size_t start = 0;
  for (std::size_t uLine = 1; start < all.size(); ++uLine) {
    const std::size_t end = all.find('\n', start);
    if (end == std::string::npos) {
      contents.bTornEnd = true;
      break;
    }
    CChangeEntry entry;
    const std::string_view line(all.data() + start, end - start);
    if (FromJson(line, entry))
      contents.entries.push_back(std::move(entry));
    else if (!line.empty())
      contents.badLines.push_back(uLine);
    start = end + 1;
  }
  return true;
}

bool CChangeJournal::EpochOf(const std::string& strTime, std::int64_t& epoch) {
  int y = 0, mo = 0, d = 0, h = 0, mi = 0, s = 0, oh = 0, om = 0, used = 0;
  char sign = 0;
  if (std::sscanf(strTime.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%c%2d:%2d%n", &y, &mo, &d, &h, &mi, &s,
                  &sign, &oh, &om, &used) != 9 ||
      static_cast<std::size_t>(used) != strTime.size() || (sign != '+' && sign != '-'))
    return false;
  using namespace std::chrono;
  const year_month_day date{year(y), month(static_cast<unsigned>(mo)),
                            day(static_cast<unsigned>(d))};
  if (!date.ok()) return false;
  const int offset = (sign == '-' ? -1 : 1) * (oh * 3600 + om * 60);
  epoch = sys_days(date).time_since_epoch().count() * 86400LL + h * 3600 + mi * 60 + s - offset;
  return true;
}
