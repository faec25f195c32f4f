#include "PrinterFinder.h"

#include "CConsoleDiscoveryOwner.h"
#include "EnginePlatform.h"
#include "MacText.h"
#include "SignalWatcher.h"

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
  const std::wstring mac = EnginePlatform::Utf8ToWide(strMac);
  for (DWORD i = 0; i < table.GetDeviceCount(); ++i) {
    const _DeviceInfo& device = *table.GetDevice(i);
    const bool bMatch = strAddress.empty()
                            ? MacText::Same(device.strMacAddress, mac)
                            : EnginePlatform::WideToUtf8(device.strIpAddress) == strAddress;
    if (bMatch) {
      outcome.device = device;
      break;
    }
  }
  return outcome;
}
