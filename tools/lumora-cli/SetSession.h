#pragma once
// What set needs around the SET command itself: the settings, a survey of
// the printers the SET command reaches (their current settings), the check
// of proposed settings, and the runner that sends, verifies and writes the
// change journal.
#include "CAddressProbe.h"
#include "CChangeJournal.h"
#include "CChangeRunner.h"
#include "CLumoraApp.h"
#include "CSettingsCheck.h"
#include "CUdpDiscoveryTransport.h"
#include "_DeviceInfo.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

class SetSession {
 public:
  explicit SetSession(bool bDebug);

  // Reads the settings; false after the message went to standard error.
  bool Load(const std::optional<std::filesystem::path>& iniPath);
  // The survey: every printer that answers the discovery request broadcast
  // as the SET command goes, with the fields of those named in `macs`;
  // false after the message went out.
  bool Discover(const std::vector<std::wstring>& macs);

  const std::vector<_DeviceInfo>& Devices() const { return m_Devices; }
  // The discovered printer with this MAC address, or null.
  const _DeviceInfo* Find(const std::wstring& strMac) const;
  const CSettingsCheck& Check() const { return m_Check; }
  // Sends, verifies when asked, writes the journal entry.
  CChangeRunner::Result Change(const std::wstring& strMac, const CPrinterSettings& proposed,
                               DWORD dwAttempts, bool bVerify);

  // Findings as lines "error: ..." or "warning: ...".
  static std::string FindingLines(const std::vector<CSettingsFinding>& findings);
  // The printer's settings as the table has them.
  static CPrinterSettings SettingsOf(const _DeviceInfo& device);

 private:
  bool m_bDebug;
  CLumoraApp m_App;
  std::vector<_DeviceInfo> m_Devices;
  CAddressProbe m_Probe;
  CSettingsCheck m_Check;
  CUdpDiscoveryTransport m_Transport;
  CChangeJournal m_Journal;
};
