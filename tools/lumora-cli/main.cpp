// lumora-cli: printer discovery without a window, on lumora's own engine.
#include "AdapterReport.h"
#include "CConsoleDiscoveryOwner.h"
#include "CLumoraApp.h"
#include "CliOptions.h"
#include "CliText.h"
#include "DeviceReport.h"
#include "EnginePlatform.h"
#include "SettingsReport.h"
#include "SignalWatcher.h"

#include <corvane/CCNetCardInfo.h>

#include <cstdio>
#include <iostream>
#include <system_error>

namespace {

constexpr int kFailed = 1;
constexpr int kUsageError = 2;
constexpr int kInterrupted = 130;

// The program's settings live beside the lumora executable, which is
// installed in the same directory as this one.
std::filesystem::path LumoraExecutable() {
  std::filesystem::path self = EnginePlatform::ExecutablePath();
  std::filesystem::path dir = self.empty() ? std::filesystem::current_path() : self.parent_path();
  return dir / "lumora";
}

// Reads the settings; source is the file they came from, empty for the
// defaults. False with a message for an --ini file that cannot be read.
bool LoadSettings(const CliOptions& options, CLumoraApp& app, std::filesystem::path& source,
                  std::string& error) {
  if (options.iniPath) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(*options.iniPath, ec) || !app.ReadIniFile(*options.iniPath)) {
      error = "cannot read the INI file '" + options.iniPath->string() + "'";
      return false;
    }
    source = *options.iniPath;
    return true;
  }
  if (app.ReadIniFile()) source = app.GetDefaultIniPath();
  return true;
}

CDiscoverySettings DiscoverySettingsOf(const CLumoraApp& app) {
  CDiscoverySettings s;
  s.uiTxPort = app.uiTxPort;
  s.uiRxPort = app.uiRxPort;
  s.dwBroadcastType = app.dwBroadcastType;
  s.dwMaxDiscoveryTry = app.dwMaxDiscoveryTry;
  s.dwMaxNoDataReadTry = app.dwMaxNoDataReadTry;
  s.dwReciveThreadTimeout = app.dwReciveThreadTimeout;
  s.dwRxThreadIdleTimeout = app.dwRxThreadIdleTimeout;
  return s;
}

void WriteDebugLine(const std::wstring& strLine) {
  const std::string text = CliText::Display(strLine) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
}

int Discover(const CliOptions& options, CLumoraApp& app) {
  app.OpenLogFile();
  CConsoleDiscoveryOwner owner(DiscoverySettingsOf(app), app.m_LogFile,
                               options.bDebug ? WriteDebugLine : CConsoleDiscoveryOwner::LineSink());
  const SignalWatcher watcher([&owner] { owner.Stop(); });
  if (!owner.Run()) {
    std::cerr << "lumora-cli: the discovery could not start\n";
    return kFailed;
  }
  std::cout << (options.bJson ? DeviceReport::Json(owner.GetTable())
                              : DeviceReport::Text(owner.GetTable()))
            << std::flush;
  return watcher.Fired() && !owner.EndedNormally() ? kInterrupted : 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = CliOptions::Parse(std::vector<std::string_view>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "lumora-cli: " << error << "\nTry 'lumora-cli --help'.\n";
    return kUsageError;
  }
  if (options->command == CliOptions::Command::kHelp) {
    std::cout << CliOptions::Help();
    return 0;
  }
  if (options->command == CliOptions::Command::kAdapters) {
    const CCNetCardInfo cards;
    std::cout << AdapterReport::Text(cards);
    if (cards.GetErrorMsg() != L"Success!")
      std::cerr << "lumora-cli: " << CliText::Display(cards.GetErrorMsg()) << "\n";
    return 0;
  }
  CLumoraApp app(LumoraExecutable());
  std::filesystem::path source;
  if (!LoadSettings(*options, app, source, error)) {
    std::cerr << "lumora-cli: " << error << "\n";
    return kUsageError;
  }
  if (options->command == CliOptions::Command::kSettings) {
    std::cout << SettingsReport::Text(app, source, app.GetDefaultIniPath());
    return 0;
  }
  return Discover(*options, app);
}
