#pragma once
// The application object: the command-line switches, the numeric settings of
// the INI file and the log file, gathered at start-up before the main window
// runs. The window belongs to a subclass, which overrides RunMainWindow.
//
// The INI file is the one beside the executable; an installed program, whose
// folder holds none, reads the user's ($XDG_CONFIG_HOME/lumora/lumora.ini)
// or else the system's (/etc/lumora/lumora.ini). The log goes beside the
// executable, or to the user's state directory when that folder is not
// writable or is one of the system's program folders (/usr/bin and the like).
#include "CLogFileManager.h"

#include <corvane/CorvaneTypes.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

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

  // Reads the settings from the first INI file of GetIniCandidates that
  // exists; 0 (every setting kept) when none does, 1 when it was read.
  BOOL ReadIniFile();
  BOOL ReadIniFile(const std::filesystem::path& iniPath);

  // Creates the log beside the executable, or in the user's state directory
  // when the executable's directory is not writable or a system program
  // folder; 1 when created.
  BOOL OpenLogFile();

  void SetExecutablePath(std::filesystem::path executablePath);
  const std::filesystem::path& GetExecutablePath() const { return m_executablePath; }
  std::filesystem::path GetExecutableDirectory() const;
  // The executable's file name without extension ("lumora" when unknown).
  std::wstring GetAppName() const;
  // The INI file beside the executable.
  std::filesystem::path GetDefaultIniPath() const;
  // Where the INI file is looked for, in order: beside the executable (when
  // it is known), the user's configuration folder, the system's.
  std::vector<std::filesystem::path> GetIniCandidates() const;
  // The first candidate that exists; empty when none does.
  std::filesystem::path FindIniFile() const;
  // The system-wide INI file (tests name one of their own).
  void SetSystemIniPath(std::filesystem::path path) { m_systemIniPath = std::move(path); }
  static constexpr const char* kSystemIniPath = "/etc/lumora/lumora.ini";
  // True for the folders the system installs programs into (/usr/bin, ...),
  // which never take a log file, not even from root.
  static bool IsSystemProgramDirectory(const std::filesystem::path& directory);

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
  std::filesystem::path m_systemIniPath{kSystemIniPath};
};
