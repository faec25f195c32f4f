#include "ProvisioningPlan.h"

#include "CDeviceTable.h"
#include "CSettingsCheck.h"
#include "CliText.h"
#include "MacText.h"

#include <algorithm>
#include <atomic>
#include <map>
#include <thread>

namespace {

// A field the printer never told is no value to keep.
std::wstring Known(const std::wstring& strValue) {
  for (const wchar_t* szPlaceholder : {CDeviceTable::kNoName, CDeviceTable::kNoSubnetMask,
                                       CDeviceTable::kNoGateway})
    if (strValue == szPlaceholder) return {};
  return strValue;
}

CPrinterSettings Merge(const CPrinterSettings& current, const CPrinterSettings& given) {
  const auto pick = [](const std::wstring& strGiven, const std::wstring& strCurrent) {
    return strGiven.empty() ? Known(strCurrent) : strGiven;
  };
  return {pick(given.strName, current.strName), pick(given.strIpAddress, current.strIpAddress),
          pick(given.strSubnetMask, current.strSubnetMask),
          pick(given.strGateway, current.strGateway), given.strDhcp};
}

void Locate(PlannedRow& p, const std::vector<_DeviceInfo>& devices) {
  const auto it = std::find_if(devices.begin(), devices.end(), [&](const _DeviceInfo& d) {
    return MacText::Same(d.strMacAddress, p.row.strMac);
  });
  if (it == devices.end()) {
    p.strCannot = L"no printer with this MAC address answered the discovery";
    return;
  }
  p.strDeviceMac = it->strMacAddress;
  p.current = CPrinterSettings{it->strName, it->strIpAddress, it->strSubnetMask, it->strGateway,
                               it->strDhcp};
  p.proposed = Merge(*p.current, p.row.values);
}

void MarkSharedAddresses(std::vector<PlannedRow>& plan) {
  std::map<std::wstring, std::vector<std::size_t>> rowsOf;
  for (std::size_t i = 0; i < plan.size(); ++i)
    if (plan[i].current) rowsOf[plan[i].proposed.strIpAddress].push_back(i);
  for (const auto& [strIp, rows] : rowsOf) {
    for (std::size_t i : rows) {
      if (rows.size() < 2 || !plan[i].strCannot.empty()) continue;
      const std::size_t other = rows[rows[0] == i ? 1 : 0];
      plan[i].strCannot = L"the address " + strIp + L" is also given on line " +
                          std::to_wstring(plan[other].row.uLine);
    }
  }
}

void CheckAll(std::vector<PlannedRow>& plan, const std::vector<_DeviceInfo>& devices,
              const CSettingsCheck& check) {
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t i = next++; i < plan.size(); i = next++) {
      if (plan[i].Sendable() && !plan[i].Unchanged())
        plan[i].findings = check.Judge(plan[i].proposed, plan[i].strDeviceMac, devices);
    }
  };
  std::vector<std::jthread> workers;
  for (std::size_t n = 0; n < std::min(plan.size(), ProvisioningPlan::kParallelChecks); ++n)
    workers.emplace_back(work);
}

std::string Quoted(const std::wstring& strText) { return "\"" + CliText::Display(strText) + "\""; }

}  // namespace

bool PlannedRow::Unchanged() const {
  if (!current) return false;
  CPrinterSettings had = *current;
  if (proposed.strDhcp.empty()) had.strDhcp.clear();
  return had == proposed;
}

std::vector<PlannedRow> ProvisioningPlan::Make(const std::vector<ProvisioningRow>& rows,
                                               const std::vector<_DeviceInfo>& devices,
                                               const CSettingsCheck& check, bool bForce) {
  std::vector<PlannedRow> plan;
  for (const ProvisioningRow& row : rows) {
    PlannedRow& p = plan.emplace_back();
    p.row = row;
    Locate(p, devices);
  }
  MarkSharedAddresses(plan);
  CheckAll(plan, devices, check);
  for (PlannedRow& p : plan) {
    if (p.Sendable() && !bForce && CSettingsCheck::HasError(p.findings))
      p.strCannot = L"the check found an error";
  }
  return plan;
}

std::string ProvisioningPlan::Changes(const std::optional<CPrinterSettings>& old,
                                      const CPrinterSettings& fresh) {
  const std::pair<const char*, std::wstring CPrinterSettings::*> fields[] = {
      {"ip", &CPrinterSettings::strIpAddress}, {"mask", &CPrinterSettings::strSubnetMask},
      {"gateway", &CPrinterSettings::strGateway}, {"name", &CPrinterSettings::strName},
      {"dhcp", &CPrinterSettings::strDhcp}};
  std::string text;
  for (const auto& [szField, member] : fields) {
    const std::wstring& strNew = fresh.*member;
    const bool bName = member == &CPrinterSettings::strName;
    const auto show = [bName](const std::wstring& s) { return bName ? Quoted(s) : CliText::Display(s); };
    if (strNew.empty() || (old && (*old).*member == strNew)) continue;
    text += (text.empty() ? "" : ", ") + std::string(szField) + " ";
    if (old) text += show((*old).*member) + " \u2192 ";
    text += show(strNew);
  }
  return text;
}

std::string ProvisioningPlan::Describe(const PlannedRow& p) {
  std::string text =
      "line " + std::to_string(p.row.uLine) + ", " + CliText::Display(p.row.strMac) + ": ";
  if (!p.current)
    text += "cannot: " + CliText::Display(p.strCannot);
  else if (p.Unchanged())
    text += "no change";
  else
    text += Changes(p.current, p.proposed) +
            (p.Sendable() ? "" : "; cannot: " + CliText::Display(p.strCannot));
  text += "\n";
  for (const CSettingsFinding& f : p.findings)
    text += std::string(f.IsError() ? "  error: " : "  warning: ") + CliText::Display(f.strText) + "\n";
  return text;
}
