#include "CliSettings.h"

#include "CLumoraApp.h"
#include "EnginePlatform.h"

#include <iostream>
#include <system_error>

std::filesystem::path CliSettings::LumoraExecutable() {
  const std::filesystem::path self = EnginePlatform::ExecutablePath();
  const std::filesystem::path dir =
      self.empty() ? std::filesystem::current_path() : self.parent_path();
  return dir / "lumora";
}

bool CliSettings::Load(const std::optional<std::filesystem::path>& iniPath, CLumoraApp& app,
                       std::filesystem::path& source, std::string& error) {
  if (iniPath) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(*iniPath, ec) || !app.ReadIniFile(*iniPath)) {
      error = "cannot read the INI file '" + iniPath->string() + "'";
      return false;
    }
    source = *iniPath;
    return true;
  }
  const std::filesystem::path found = app.FindIniFile();
  if (!found.empty() && app.ReadIniFile(found)) source = found;
  return true;
}

bool CliSettings::LoadOrReport(const std::optional<std::filesystem::path>& iniPath,
                               CLumoraApp& app) {
  std::filesystem::path source;
  std::string error;
  if (Load(iniPath, app, source, error)) return true;
  std::cerr << "lumora-cli: " << error << "\n";
  return false;
}

CDiscoverySettings CliSettings::DiscoveryOf(const CLumoraApp& app) {
  CDiscoverySettings s;
  s.uiTxPort = app.uiTxPort;
  s.uiRxPort = app.uiRxPort;
  s.dwBroadcastType = app.dwBroadcastType;
  s.dwMaxDiscoveryTry = app.dwMaxDiscoveryTry;
  s.dwMaxNoDataReadTry = app.dwMaxNoDataReadTry;
  s.dwReciveThreadTimeout = app.dwReciveThreadTimeout;
  s.dwRxThreadIdleTimeout = app.dwRxThreadIdleTimeout;
  s.strInterfaces = app.szInterfaces;
  s.strHosts = app.szHosts;
  s.dwMaxFillInTry = app.dwMaxFillInTry;
  return s;
}

CConfigurationSettings CliSettings::ConfigurationOf(const CLumoraApp& app) {
  CConfigurationSettings s;
  s.uiTxPort = app.uiTxPort;
  s.uiRxPort = app.uiRxPort;
  s.dwBroadcastType = app.dwBroadcastType;
  s.dwRxEthTimeout = app.dwRxEthTimeout;
  return s;
}
