#pragma once
// One change of a printer's settings from start to end, for programs that
// run it in one go: the SET command, then (when the printer confirmed)
// looking for it at its new address, then the change journal's entry.
// Blocking; the window, which must show the exchange's message first, uses
// the pieces (CConfigurationExchange, CSetVerifier, Entry) itself.
#include "CChangeEntry.h"
#include "CChangeJournal.h"
#include "CConfigurationExchange.h"
#include "CSetVerifier.h"

#include <optional>
#include <string>

class CChangeRunner {
 public:
  struct Result {
    CConfigurationExchange::SetOutcome outcome;
    std::optional<CSetVerifier::Verification> verification;  // run only after a confirmation
    std::string strJournalError;  // why the journal entry could not be written
  };

  // pJournal may be null (nothing is written); strSource names the program.
  CChangeRunner(const CConfigurationSettings& settings, IDiscoveryTransport& transport,
                CConfigurationExchange::ConsoleLine console, const CChangeJournal* pJournal,
                std::wstring strSource);

  void SetVerifierTiming(const CSetVerifier::Timing& timing) { m_Timing = timing; }

  // current: the printer's settings before, when known.
  Result Run(const std::wstring& strMac, const std::optional<CPrinterSettings>& current,
             const CPrinterSettings& proposed,
             const CConfigurationExchange::AttemptCount& attempts, bool bVerify);

  // The journal entry of a SET that went out; the interface is the one
  // holding the outcome's local address among `interfaces`.
  static CChangeEntry Entry(const std::wstring& strSource, const std::wstring& strMac,
                            const std::optional<CPrinterSettings>& current,
                            const CPrinterSettings& proposed,
                            const CConfigurationExchange::SetOutcome& outcome,
                            const CSetVerifier::Verification* pVerification,
                            const std::vector<CCNetInterfaces::Entry>& interfaces);

 private:
  CConfigurationSettings m_Settings;
  IDiscoveryTransport& m_Transport;
  CConfigurationExchange::ConsoleLine m_Console;
  const CChangeJournal* m_pJournal;
  std::wstring m_strSource;
  CSetVerifier::Timing m_Timing;
};
