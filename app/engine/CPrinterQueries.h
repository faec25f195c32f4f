#pragma once
// Short exchanges with printers on an answer port the caller has opened, for
// the steps around the SET command: the discovery request broadcast the way
// the SET command goes (so every printer that answers can be configured),
// the discovery request asked of one address, and the five information
// fields of one printer. Each waits until a deadline it is given.
#include "CConfigurationExchange.h"
#include "_DeviceInfo.h"

#include <chrono>
#include <functional>
#include <string>

class CPrinterQueries {
 public:
  using Clock = std::chrono::steady_clock;

  // A discovery answer: the printer's MAC address and where it came from.
  struct Found {
    std::wstring strMac;
    std::wstring strAddress;
  };

  CPrinterQueries(const CConfigurationSettings& settings, IDiscoveryTransport& transport,
                  CConfigurationExchange::ConsoleLine console);

  // Broadcasts the discovery request and hands every discovery answer to
  // onAnswer until `until`, or until onAnswer returns true.
  void Broadcast(Clock::time_point until, const std::function<bool(const Found&)>& onAnswer);
  // Asks strAddress for its discovery answer, again every `resend`, until
  // the printer strMac answers from there (true) or `until` passes.
  bool AskAt(const std::wstring& strAddress, const std::wstring& strMac, Clock::time_point until,
             std::chrono::milliseconds resend);
  // The information fields the printer at strAddress tells by `until`
  // (name, model, subnet mask, gateway, DHCP; empty when not told).
  _DeviceInfo AskFields(const std::wstring& strAddress, Clock::time_point until);

 private:
  struct Answer {
    std::wstring strText;
    std::wstring strSender;
  };
  // One answer that starts with "<ZQ>"; false when none came in time.
  bool Receive(Clock::time_point until, Answer& answer);
  void SendTo(const std::wstring& strMessage, const std::wstring& strAddress);

  CConfigurationSettings m_Settings;
  IDiscoveryTransport& m_Transport;
  CConfigurationExchange::ConsoleLine m_Console;
};
