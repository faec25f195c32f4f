#include "StatusReport.h"

#include "CliText.h"
#include "EnginePlatform.h"

#include <cmath>

namespace {

std::string Protocol(int iProtocol) {
  return iProtocol == 0 ? "UDP" : iProtocol == 1 ? "TCP" : "not known";
}

}  // namespace

std::string StatusReport::StateName(CPrinterStatus::State state) {
  switch (state) {
    case CPrinterStatus::State::kComplete: return "complete";
    case CPrinterStatus::State::kBusy: return "busy";
    case CPrinterStatus::State::kNotSetUp: return "not_set_up";
    case CPrinterStatus::State::kNoContact: return "no_contact";
    case CPrinterStatus::State::kInterrupted: return "interrupted";
  }
  return "";
}

std::string StatusReport::Text(const CPrinterStatus& status) {
  std::string out = "Queue     " + status.strQueue + "\nDevice    " +
                    (status.strDeviceUri.empty() ? "not known" : status.strDeviceUri) +
                    "\nProtocol  " + Protocol(status.iProtocol) + "\n";
  if (status.state != CPrinterStatus::State::kComplete) out += "Status    " + status.Summary() + "\n";
  if (status.state == CPrinterStatus::State::kNotSetUp && !status.values.front().bAsked)
    return out;
  std::vector<CliText::Row> rows;
  for (const CPrinterStatus::Value& value : status.values)
    rows.push_back({EnginePlatform::Utf8ToWide(value.pszLabel), EnginePlatform::Utf8ToWide(value.Display())});
  return out + "\n" + CliText::Table({L"VALUE", L"READING"}, rows) + "\n" + CPrinterStatus::kRawNote + "\n";
}

nlohmann::json StatusReport::ValueJson(const CPrinterStatus::Value& value) {
  if (!value.bAsked) return {{"asked", false}};
  nlohmann::json json = {{"result", value.dwResult}};
  if (!value.Ok()) {
    json["error"] = CPrinterStatus::ResultText(value.dwResult);
    return json;
  }
  switch (value.kind) {
    case CPrinterStatus::Kind::kBytes:
      json["hex"] = value.Text();
      if (const std::string text = value.Printable(); !text.empty()) json["text"] = text;
      break;
    case CPrinterStatus::Kind::kNumber:
      json["value"] = value.dwNumber;
      break;
    case CPrinterStatus::Kind::kFlag:
      json["value"] = value.dwNumber != 0;
      break;
    case CPrinterStatus::Kind::kVolts:
      json["value"] = std::floor(static_cast<double>(value.fVolts) * 10 + 0.5) / 10;
      break;
  }
  if (*value.pszUnit != '\0') json["unit"] = value.pszUnit;
  return json;
}

nlohmann::json StatusReport::Json(const CPrinterStatus& status) {
  nlohmann::json values = nlohmann::json::object();
  for (const CPrinterStatus::Value& value : status.values) values[value.pszKey] = ValueJson(value);
  nlohmann::json json = {{"queue", status.strQueue},
                         {"device_uri", status.strDeviceUri},
                         {"protocol", status.iProtocol < 0 ? nlohmann::json()
                                                           : nlohmann::json(status.iProtocol == 1
                                                                                ? "tcp"
                                                                                : "udp")},
                         {"state", StateName(status.state)},
                         {"values", values},
                         {"raw_bytes", "hexadecimal; the meaning of the bits is not known"}};
  if (status.state != CPrinterStatus::State::kComplete) json["problem"] = status.Summary();
  return json;
}

std::string StatusReport::ChangesText(const CPrinterStatus& before, const CPrinterStatus& now,
                                      const std::string& strTime) {
  std::string out;
  if (before.state != now.state || before.strProblem != now.strProblem)
    out += strTime + "  Status: " + now.Summary() + "\n";
  for (std::size_t i = 0; i < now.values.size() && i < before.values.size(); ++i) {
    const std::string old = before.values[i].Display();
    const std::string fresh = now.values[i].Display();
    if (old != fresh)
      out += strTime + "  " + now.values[i].pszLabel + ": " + CliText::Display(EnginePlatform::Utf8ToWide(old)) +
             " -> " + CliText::Display(EnginePlatform::Utf8ToWide(fresh)) + "\n";
  }
  return out;
}

nlohmann::json StatusReport::ChangesJson(const CPrinterStatus& before, const CPrinterStatus& now,
                                         const std::string& strTime) {
  nlohmann::json values = nlohmann::json::object();
  for (std::size_t i = 0; i < now.values.size() && i < before.values.size(); ++i) {
    const nlohmann::json fresh = ValueJson(now.values[i]);
    if (fresh != ValueJson(before.values[i])) values[now.values[i].pszKey] = fresh;
  }
  const bool bState = before.state != now.state || before.strProblem != now.strProblem;
  if (!bState && values.empty()) return nullptr;
  nlohmann::json json = {{"time", strTime}, {"values", values}};
  if (bState) json["state"] = StateName(now.state);
  return json;
}
