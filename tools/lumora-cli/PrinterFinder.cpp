#include "PrinterFinder.h"

#include "CConsoleDiscoveryOwner.h"
#include "EnginePlatform.h"
#include "SignalWatcher.h"

#include <cctype>

std::string PrinterFinder::MacDigits(const std::wstring& strMac) {
  std::string digits;
  for (const wchar_t c : strMac) {
    if (c < 0x80 && std::isxdigit(static_cast<int>(c)))
      digits += static_cast<char>(std::toupper(static_cast<int>(c)));
  }
  return digits;
}

PrinterFinder::Outcome PrinterFinder::Find(CDiscoverySettings settings, CLogFileManager& logFile,
                                           const std::string& strAddress,
                                           const std::string& strMac) {
  if (!strAddress.empty()) {
    settings.strHosts = EnginePlatform::Utf8ToWide(strAddress);
    settings.btBroadcast = 0;
  }
  CConsoleDiscoveryOwner owner(settings, logFile);
  const SignalWatcher watcher([&owner] { owner.Stop(); });
  Outcome outcome;
  outcome.bStarted = owner.Run() != 0;
  outcome.bInterrupted = watcher.Fired();
  const CDeviceTable& table = owner.GetTable();
  const std::string mac = MacDigits(EnginePlatform::Utf8ToWide(strMac));
  for (DWORD i = 0; i < table.GetDeviceCount(); ++i) {
    const _DeviceInfo& device = *table.GetDevice(i);
    const bool bMatch = strAddress.empty()
                            ? MacDigits(device.strMacAddress) == mac
                            : EnginePlatform::WideToUtf8(device.strIpAddress) == strAddress;
    if (bMatch) {
      outcome.device = device;
      break;
    }
  }
  return outcome;
}
