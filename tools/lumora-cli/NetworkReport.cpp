#include "NetworkReport.h"

#include "CDeviceExport.h"
#include "CDeviceTable.h"
#include "DiscoveryReportText.h"
#include "EnginePlatform.h"

namespace {

using Interface = CDiscoveryReportData::Interface;
using Verdict = CDiscoveryReportData::Verdict;
using EnginePlatform::WideToUtf8;

const char* VerdictKey(Verdict verdict) {
  switch (verdict) {
    case Verdict::kPrintersFound: return "printers_found";
    case Verdict::kOutsiders: return "outside_subnet";
    case Verdict::kNoAnswer: return "no_answer";
    case Verdict::kNotAsked: return "not_asked";
  }
  return "";
}

}  // namespace

nlohmann::json NetworkReport::Object(const CDiscoveryReportData& r) {
  nlohmann::json interfaces = nlohmann::json::array();
  for (const Interface& i : r.interfaces) {
    nlohmann::json outsiders = nlohmann::json::array();
    for (const auto& o : i.outsiders)
      outsiders.push_back({{"ip", WideToUtf8(o.strAddress)},
                           {"mac", WideToUtf8(o.strMac)},
                           {"name", WideToUtf8(o.strName)}});
    interfaces.push_back({{"name", WideToUtf8(i.strName)},
                          {"index", i.dwIndex},
                          {"address", WideToUtf8(i.strAddress)},
                          {"subnet_mask", WideToUtf8(i.strMask)},
                          {"broadcast", WideToUtf8(i.strBroadcast)},
                          {"requests_sent", i.dwRequestsSent},
                          {"answers", i.dwAnswers},
                          {"printers_found", i.dwPrintersFound},
                          {"outside_subnet", outsiders},
                          {"verdict", VerdictKey(i.verdict)}});
  }
  nlohmann::json problems = nlohmann::json::array();
  for (const auto& p : r.problems) problems.push_back(WideToUtf8(p));
  return {{"interfaces", interfaces},
          {"unicast",
           {{"addresses", r.dwUnicastAddresses},
            {"answered", r.dwUnicastAnswered},
            {"requests_sent", r.dwUnicastRequests}}},
          {"fill_in_incomplete", r.fillInIncomplete},
          {"fill_in_ms", r.dwFillInMilliseconds},
          {"kernel_drops", r.bDropsKnown ? nlohmann::json(r.dwKernelDrops) : nlohmann::json()},
          {"problems", problems},
          {"verdicts", DiscoveryReportText::Verdicts(r)}};
}

std::string NetworkReport::Json(const CDeviceTable& table, const CDiscoveryReportData& r) {
  return nlohmann::json{{"devices", CDeviceExport::Array(table)}, {"report", Object(r)}}.dump(2) + "\n";
}
