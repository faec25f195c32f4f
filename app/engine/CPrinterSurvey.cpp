#include "CPrinterSurvey.h"

#include "CPrinterQueries.h"
#include "MacText.h"

#include <set>

CPrinterSurvey::CPrinterSurvey(const CConfigurationSettings& settings,
                               IDiscoveryTransport& transport,
                               CConfigurationExchange::ConsoleLine console, Timing timing)
    : m_Settings(settings),
      m_Transport(transport),
      m_Console(std::move(console)),
      m_Timing(timing) {}

DWORD CPrinterSurvey::Run(std::vector<_DeviceInfo>& devices,
                          const std::function<bool(const std::wstring&)>& wantFields) {
  using Clock = CPrinterQueries::Clock;
  devices.clear();
  if (const DWORD dwOpen = m_Transport.OpenReceiver(m_Settings.uiRxPort); dwOpen != 0)
    return dwOpen;
  CPrinterQueries queries(m_Settings, m_Transport, m_Console);
  std::set<std::wstring> seen;
  queries.Broadcast(Clock::now() + m_Timing.answers, [&](const CPrinterQueries::Found& f) {
    if (seen.insert(MacText::Digits(f.strMac)).second) {
      _DeviceInfo& d = devices.emplace_back();
      d.strMacAddress = f.strMac;
      d.strIpAddress = f.strAddress;
    }
    return false;
  });
  for (_DeviceInfo& d : devices) {
    if (!wantFields(d.strMacAddress)) continue;
    const std::wstring strMac = d.strMacAddress;
    d = queries.AskFields(d.strIpAddress, Clock::now() + m_Timing.fields);
    d.strMacAddress = strMac;
  }
  m_Transport.CloseReceiver();
  return 0;
}
