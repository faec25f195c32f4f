#include "SetSession.h"

#include "CPrinterSurvey.h"
#include "CliOptionHelp.h"
#include "CliSettings.h"
#include "CliText.h"
#include "MacText.h"

#include <corvane/CCNetInterfaces.h>

#include <algorithm>
#include <chrono>
#include <iostream>

SetSession::SetSession(bool bDebug)
    : m_bDebug(bDebug),
      m_App(CliSettings::LumoraExecutable()),
      m_Check(CCNetInterfaces().GetEntries(), &m_Probe),
      m_Journal(CChangeJournal::DefaultPath()) {}

bool SetSession::Load(const std::optional<std::filesystem::path>& iniPath) {
  return CliSettings::LoadOrReport(iniPath, m_App);
}

bool SetSession::Discover(const std::vector<std::wstring>& macs) {
  const CConfigurationSettings settings = CliSettings::ConfigurationOf(m_App);
  const std::chrono::milliseconds wait(settings.dwRxEthTimeout);
  CPrinterSurvey survey(settings, m_Transport,
                        m_bDebug ? CliOptionHelp::WriteExchangeLine
                                 : CConfigurationExchange::ConsoleLine(),
                        {wait, wait});
  const DWORD dwResult = survey.Run(m_Devices, [&macs](const std::wstring& strMac) {
    return std::any_of(macs.begin(), macs.end(),
                       [&](const std::wstring& m) { return MacText::Same(m, strMac); });
  });
  if (dwResult != 0) {
    std::cerr << "lumora-cli: the printers could not be asked: "
              << CliText::TransportError(dwResult) << "\n";
    return false;
  }
  return true;
}

const _DeviceInfo* SetSession::Find(const std::wstring& strMac) const {
  const auto it = std::find_if(m_Devices.begin(), m_Devices.end(), [&](const _DeviceInfo& d) {
    return MacText::Same(d.strMacAddress, strMac);
  });
  return it == m_Devices.end() ? nullptr : &*it;
}

CChangeRunner::Result SetSession::Change(const std::wstring& strMac,
                                         const CPrinterSettings& proposed, DWORD dwAttempts,
                                         bool bVerify) {
  CChangeRunner runner(CliSettings::ConfigurationOf(m_App), m_Transport,
                       m_bDebug ? CliOptionHelp::WriteExchangeLine
                                : CConfigurationExchange::ConsoleLine(),
                       &m_Journal, L"lumora-cli");
  const _DeviceInfo* pDevice = Find(strMac);
  const std::optional<CPrinterSettings> current =
      pDevice != nullptr ? std::optional(SettingsOf(*pDevice)) : std::nullopt;
  return runner.Run(strMac, current, proposed, [dwAttempts] { return dwAttempts; }, bVerify);
}

std::string SetSession::FindingLines(const std::vector<CSettingsFinding>& findings) {
  std::string text;
  for (const CSettingsFinding& f : findings)
    text += (f.IsError() ? "error: " : "warning: ") + CliText::Display(f.strText) + "\n";
  return text;
}

CPrinterSettings SetSession::SettingsOf(const _DeviceInfo& d) {
  return {d.strName, d.strIpAddress, d.strSubnetMask, d.strGateway, d.strDhcp};
}
