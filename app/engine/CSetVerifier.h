#pragma once
// Looks for a printer again after it confirmed a SET command: asks its new
// address by unicast for the MAC address and the five information fields,
// and falls back to one broadcast discovery when the new address stays
// silent. The printer is recognised by its MAC address. Blocking, bounded
// by the timing (about five seconds in all); it holds the answer port while
// it runs.
#include "CConfigurationExchange.h"
#include "CPrinterSettings.h"
#include "IDiscoveryTransport.h"

#include <chrono>
#include <string>
#include <vector>

class CSetVerifier {
 public:
  enum class EResult { kVerified, kNotAtNewAddress, kNoAnswer };

  struct Timing {
    std::chrono::milliseconds unicast{3000};    // asking the new address
    std::chrono::milliseconds resend{500};      // between repeated requests there
    std::chrono::milliseconds broadcast{1000};  // the fallback's wait
    std::chrono::milliseconds info{1000};       // the five fields' wait
  };

  struct Verification {
    EResult eResult = EResult::kNoAnswer;
    std::wstring strNewAddress;
    std::wstring strSeenAt;       // where the broadcast found it (kNotAtNewAddress)
    CPrinterSettings reported;    // what it told at the new address (empty: not told)
    std::vector<std::wstring> differences;  // reported values that are not the ones sent
    DWORD dwOpenResult = 0;       // non-zero: the answer port could not be opened

    // The sentence for the operator, e.g. "verified at the new address (10.77.40.7)".
    std::wstring Text() const;
    // One word or two for journals: "verified", "not at new address", "no answer".
    std::wstring Name() const;
  };

  CSetVerifier(const CConfigurationSettings& settings, IDiscoveryTransport& transport,
               CConfigurationExchange::ConsoleLine console, Timing timing);
  CSetVerifier(const CConfigurationSettings& settings, IDiscoveryTransport& transport,
               CConfigurationExchange::ConsoleLine console = {});

  // Looks for the printer strMac, which was sent `sent`. Writes the outcome's
  // sentence to the debug console.
  Verification Verify(const std::wstring& strMac, const CPrinterSettings& sent);

 private:
  void Compare(const CPrinterSettings& sent, Verification& v) const;

  CConfigurationSettings m_Settings;
  IDiscoveryTransport& m_Transport;
  CConfigurationExchange::ConsoleLine m_Console;
  Timing m_Timing;
};
