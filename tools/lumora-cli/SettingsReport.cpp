#include "SettingsReport.h"

#include "CLumoraApp.h"
#include "EnginePlatform.h"

std::string SettingsReport::Text(const CLumoraApp& app, const std::filesystem::path& source,
                                 const std::vector<std::filesystem::path>& searched) {
  std::string out;
  if (source.empty()) {
    out = "; ini: defaults (none of";
    for (std::size_t i = 0; i < searched.size(); ++i)
      out += (i == 0 ? " " : ", ") + searched[i].string();
    out += ")\n";
  } else {
    out = "; ini: " + source.string() + "\n";
  }
  auto value = [&out](const char* szKey, unsigned long ulValue) {
    out += std::string(szKey) + "=" + std::to_string(ulValue) + "\n";
  };
  out += "[UDPTXRXPORT]\n";
  value("uiRxPort", app.uiRxPort);
  value("uiTxPort", app.uiTxPort);
  out += "[RETRYTIME]\n";
  value("dwMaxDiscoveryTry", app.dwMaxDiscoveryTry);
  value("dwMaxNoDataReadTry", app.dwMaxNoDataReadTry);
  value("dwMaxFillInTry", app.dwMaxFillInTry);
  out += "[TIMEOUT]\n";
  value("dwReciveThreadTimeout", app.dwReciveThreadTimeout);
  value("dwRxEthTimeout", app.dwRxEthTimeout);
  value("dwTxEthTimeout", app.dwTxEthTimeout);
  value("dwRxThreadIdleTimeout", app.dwRxThreadIdleTimeout);
  value("dwTxThreadIdleTimeout", app.dwTxThreadIdleTimeout);
  out += "[BROADCAST]\n";
  value("dwBroadcastType", app.dwBroadcastType);
  out += "[LOGFILE]\n";
  value("btLoggingOn", app.btLoggingOn);
  out += "[NETWORK]\n";
  out += "szInterfaces=" + EnginePlatform::WideToUtf8(app.szInterfaces) + "\n";
  out += "szHosts=" + EnginePlatform::WideToUtf8(app.szHosts) + "\n";
  return out;
}
