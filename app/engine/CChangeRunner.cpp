#include "CChangeRunner.h"

#include "EnginePlatform.h"

#include <algorithm>

CChangeRunner::CChangeRunner(const CConfigurationSettings& settings,
                             IDiscoveryTransport& transport,
                             CConfigurationExchange::ConsoleLine console,
                             const CChangeJournal* pJournal, std::wstring strSource)
    : m_Settings(settings),
      m_Transport(transport),
      m_Console(std::move(console)),
      m_pJournal(pJournal),
      m_strSource(std::move(strSource)) {}

CChangeRunner::Result CChangeRunner::Run(const std::wstring& strMac,
                                         const std::optional<CPrinterSettings>& current,
                                         const CPrinterSettings& proposed,
                                         const CConfigurationExchange::AttemptCount& attempts,
                                         bool bVerify) {
  Result result;
  result.outcome = CConfigurationExchange(m_Settings, m_Transport, m_Console)
                       .SendSetCommand(proposed.strIpAddress, proposed.strName,
                                       proposed.strSubnetMask, proposed.strGateway, strMac,
                                       proposed.strDhcp, attempts);
  if (bVerify && result.outcome.dwResult == 0 && result.outcome.uiMessage != 0)
    result.verification =
        CSetVerifier(m_Settings, m_Transport, m_Console, m_Timing).Verify(strMac, proposed);
  if (m_pJournal != nullptr && result.outcome.bSent) {
    const CChangeEntry entry =
        Entry(m_strSource, strMac, current, proposed, result.outcome,
              result.verification ? &*result.verification : nullptr, m_Transport.ListInterfaces());
    m_pJournal->Append(entry, result.strJournalError);
  }
  return result;
}

CChangeEntry CChangeRunner::Entry(const std::wstring& strSource, const std::wstring& strMac,
                                  const std::optional<CPrinterSettings>& current,
                                  const CPrinterSettings& proposed,
                                  const CConfigurationExchange::SetOutcome& outcome,
                                  const CSetVerifier::Verification* pVerification,
                                  const std::vector<CCNetInterfaces::Entry>& interfaces) {
  CChangeEntry entry;
  entry.strTime = EnginePlatform::LocalTimestamp();
  entry.strSource = strSource;
  entry.strLocalAddress = outcome.strLocalAddress;
  const auto it = std::find_if(interfaces.begin(), interfaces.end(), [&](const auto& e) {
    return e.strAddress == outcome.strLocalAddress;
  });
  if (it != interfaces.end()) entry.strInterface = it->strName;
  entry.strMac = strMac;
  entry.oldSettings = current;
  entry.newSettings = proposed;
  entry.strOutcome = CChangeJournal::OutcomeName(outcome);
  entry.strVerification = pVerification != nullptr ? pVerification->Name() : L"not run";
  if (pVerification != nullptr) entry.strVerificationText = pVerification->Text();
  return entry;
}
