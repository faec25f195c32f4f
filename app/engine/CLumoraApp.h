#pragma once
// The application object: the command-line switches, the numeric settings of
// the INI file beside the executable and the log file, gathered at start-up
// before the main window runs. The window belongs to a subclass, which
// overrides RunMainWindow.
#include "CLogFileManager.h"

#include <corvane/CorvaneTypes.h>

#include <filesystem>
#include <string>

class CIniReader;

class CLumoraApp {
 public:
  static constexpr DWORD kFlagDebug = 1;
  static constexpr DWORD kFlagLogging = 2;
  static constexpr DWORD kFlagAdvanced = 4;

  // Settings beside the running executable.
  CLumoraApp();
  // Settings beside the given executable (the command-line front end names
  // the program's executable, tests a directory of their own).
  explicit CLumoraApp(std::filesystem::path executablePath);
  virtual ~CLumoraApp();
  CLumoraApp(const CLumoraApp&) = delete;
  CLumoraApp& operator=(const CLumoraApp&) = delete;

  // Parses the command line, reads the INI file, opens the log and runs the
  // main window; returns the program's exit code.
  int InitInstance(int argc, char** argv);
  // Runs the main window until it closes; the engine alone has none.
  virtual int RunMainWindow() { return 0; }

  // Sets m_dwFlags from the switches after the program path.
  void ParseCommandLine(const std::wstring& fullCommandLine);
  // The arguments joined by single blanks, program path first.
  static std::wstring BuildCommandLine(int argc, char** argv);

  // Reads the settings from the INI file; 0 (every setting kept) when the
  // file does not exist, 1 when it was read.
  BOOL ReadIniFile();
  BOOL ReadIniFile(const std::filesystem::path& iniPath);

  // Creates the log beside the executable, or in the user's state directory
  // when the executable's directory is not writable; 1 when created.
  BOOL OpenLogFile();

  void SetExecutablePath(std::filesystem::path executablePath);
  const std::filesystem::path& GetExecutablePath() const { return m_executablePath; }
  std::filesystem::path GetExecutableDirectory() const;
  // The executable's file name without extension ("lumora" when unknown).
  std::wstring GetAppName() const;
  std::filesystem::path GetDefaultIniPath() const;

  DWORD m_dwFlags = 0;
  DWORD dwMaxDiscoveryTry = 3;
  DWORD dwMaxNoDataReadTry = 2;
  DWORD dwReciveThreadTimeout = 200;
  DWORD dwRxEthTimeout = 1000;
  DWORD dwTxEthTimeout = 1000;
  DWORD dwRxThreadIdleTimeout = 50;
  DWORD dwTxThreadIdleTimeout = 50;
  UINT uiTxPort = 15000;
  UINT uiRxPort = 15001;
  DWORD dwBroadcastType = 1;
  DWORD btLoggingOn = 0;
  // Keys of our own, which keep these defaults when missing or empty:
  // [NETWORK] szInterfaces ("" the single broadcast, "all", or names) and
  // szHosts (printers asked by unicast), [RETRYTIME] dwMaxFillInTry.
  std::wstring szInterfaces;
  std::wstring szHosts;
  DWORD dwMaxFillInTry = 2;
  CLogFileManager m_LogFile;

 private:
  BOOL OpenLogFileIn(const std::filesystem::path& directory);
  void ReadOwnKeys(const CIniReader& reader);

  std::filesystem::path m_executablePath;
};
