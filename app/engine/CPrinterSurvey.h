#pragma once
// The printers a SET command can reach, with the current settings of those
// asked for: the discovery request broadcast as the SET command goes, every
// printer that answers within the wait (MAC address and address), then the
// information fields of the printers the caller wants, one printer at a
// time. Takes about two waits whatever the number of printers, where a
// whole discovery run paces itself through every answer.
#include "CConfigurationExchange.h"
#include "_DeviceInfo.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

class CPrinterSurvey {
 public:
  struct Timing {
    std::chrono::milliseconds answers{1000};  // for the discovery answers
    std::chrono::milliseconds fields{1000};   // for one printer's fields
  };

  CPrinterSurvey(const CConfigurationSettings& settings, IDiscoveryTransport& transport,
                 CConfigurationExchange::ConsoleLine console, Timing timing);

  // The printers in the order they answered, each MAC once; the fields of
  // those for which wantFields(MAC) is true (empty when not told). 0, or the
  // transport's code when the answer port could not be opened.
  DWORD Run(std::vector<_DeviceInfo>& devices,
            const std::function<bool(const std::wstring&)>& wantFields);

 private:
  CConfigurationSettings m_Settings;
  IDiscoveryTransport& m_Transport;
  CConfigurationExchange::ConsoleLine m_Console;
  Timing m_Timing;
};
