#include "CLumoraApp.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <optional>
#include <vector>

namespace {

// The settings as the discovery reads them, for whole-set comparisons.
std::vector<DWORD> Settings(const CLumoraApp& app) {
  return {app.uiRxPort,           app.uiTxPort,           app.dwMaxDiscoveryTry,
          app.dwMaxNoDataReadTry, app.dwReciveThreadTimeout, app.dwRxEthTimeout,
          app.dwTxEthTimeout,     app.dwRxThreadIdleTimeout, app.dwTxThreadIdleTimeout,
          app.dwBroadcastType,    app.btLoggingOn};
}

class AppSettingsTest : public ::testing::Test {
 protected:
  void WriteIni(const std::string& strContent) {
    std::ofstream(m_dir.path() / "lumora.ini", std::ios::binary) << strContent;
  }
  TempDir m_dir;
  CLumoraApp m_app{m_dir.path() / "lumora"};
};

TEST_F(AppSettingsTest, NoIniFileKeepsDefaults) {
  EXPECT_EQ(m_app.GetDefaultIniPath(), m_dir.path() / "lumora.ini");
  EXPECT_EQ(m_app.ReadIniFile(), 0);
  EXPECT_EQ(Settings(m_app), (std::vector<DWORD>{15001, 15000, 3, 2, 200, 1000, 1000, 50, 50, 1, 0}));
}

TEST_F(AppSettingsTest, IniWithOnlyBroadcastSectionZeroesEverythingElse) {
  WriteIni("[BROADCAST]\r\ndwBroadcastType=0\r\n");
  EXPECT_EQ(m_app.ReadIniFile(), 1);
  EXPECT_EQ(Settings(m_app), std::vector<DWORD>(11, 0));
}

TEST_F(AppSettingsTest, EveryKeyLandsInItsOwnSetting) {
  WriteIni("[udptxrxport]\nuirxport=1\nuiTxPort=2\n[RETRYTIME]\ndwMaxDiscoveryTry=3x\n"
           "dwMaxNoDataReadTry=4\n[TIMEOUT]\ndwReciveThreadTimeout=5\ndwRxEthTimeout=6\n"
           "dwTxEthTimeout=7\ndwRxThreadIdleTimeout=8\ndwTxThreadIdleTimeout=9\n"
           "[BROADCAST]\ndwBroadcastType=10\n[LOGFILE]\nbtLoggingOn=99999999999\n");
  EXPECT_EQ(m_app.ReadIniFile(), 1);
  EXPECT_EQ(Settings(m_app), (std::vector<DWORD>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xFFFFFFFF}));
}

TEST_F(AppSettingsTest, ExplicitIniFileAndUnknownExecutable) {
  std::ofstream(m_dir.path() / "other.ini") << "[RETRYTIME]\ndwMaxDiscoveryTry=7\n";
  CLumoraApp app{std::filesystem::path()};
  EXPECT_EQ(app.GetAppName(), L"lumora");
  EXPECT_EQ(app.ReadIniFile(), 0);
  EXPECT_EQ(app.ReadIniFile(m_dir.path() / "other.ini"), 1);
  EXPECT_EQ(app.dwMaxDiscoveryTry, 7u);
  EXPECT_EQ(app.uiTxPort, 0u);
}

struct CommandLineCase {
  const wchar_t* szLine;
  DWORD dwFlags;
};

const CommandLineCase kCommandLines[] = {
    {L"", 0},
    {L"/D", 0},  // the program path alone is never a switch
    {L"lumora /d", 1},
    {L"lumora /DEBUG", 0},
    {L"lumora /dubug", 1},
    {L"lumora /l  /A", 6},
    {L"lumora   /logging /adv ", 6},
    {L"lumora /D/L /x -d", 0},
    {L"/opt/my apps/lumora /L", 2},
    {L"lumora /a /d /l", 7},
};

TEST(AppCommandLineTest, SwitchesSetTheirFlags) {
  for (const CommandLineCase& c : kCommandLines) {
    CLumoraApp app{std::filesystem::path("/x/lumora")};
    app.ParseCommandLine(c.szLine);
    EXPECT_EQ(app.m_dwFlags, c.dwFlags) << testing::PrintToString(std::wstring(c.szLine));
  }
}

TEST(AppCommandLineTest, ArgumentsAreJoinedWithBlanks) {
  char arg0[] = "/opt/my app/lumora";
  char arg1[] = "/d";
  char arg2[] = "caf\xC3\xA9";
  char* argv[] = {arg0, arg1, arg2, nullptr};
  EXPECT_EQ(CLumoraApp::BuildCommandLine(3, argv), L"/opt/my app/lumora /d caf\u00e9");
  EXPECT_EQ(CLumoraApp::BuildCommandLine(0, argv), L"");
}

// Records what start-up had done by the time the main window would run.
class RecordingApp : public CLumoraApp {
 public:
  using CLumoraApp::CLumoraApp;
  int RunMainWindow() override {
    bLogReady = m_LogFile.WriteTimedLine(L"window");
    return 42;
  }
  BOOL bLogReady = 0;
};

TEST_F(AppSettingsTest, StartUpParsesReadsOpensLogThenRunsWindow) {
  WriteIni("[RETRYTIME]\ndwMaxDiscoveryTry=9\n");
  std::ofstream(m_dir.path() / "lumora.log") << "previous run";
  RecordingApp app{m_dir.path() / "lumora.bin"};
  char arg0[] = "lumora";
  char arg1[] = "/D";
  char* argv[] = {arg0, arg1, nullptr};
  EXPECT_EQ(app.InitInstance(2, argv), 42);
  EXPECT_EQ(app.m_dwFlags, 1u);
  EXPECT_EQ(app.dwMaxDiscoveryTry, 9u);
  EXPECT_EQ(app.bLogReady, 1);
  EXPECT_EQ(app.m_LogFile.GetFilePath(), (m_dir.path() / "lumora.log").wstring());
  EXPECT_EQ(std::filesystem::file_size(m_dir.path() / "lumora.log"), 26u);  // emptied, then one timed line
}

// Sets an environment variable for one test and restores it afterwards.
class ScopedEnv {
 public:
  ScopedEnv(const char* szName, const std::string& strValue) : m_name(szName) {
    if (const char* szOld = std::getenv(szName)) m_old = szOld;
    setenv(szName, strValue.c_str(), 1);
  }
  ~ScopedEnv() {
    if (m_old) setenv(m_name.c_str(), m_old->c_str(), 1);
    else unsetenv(m_name.c_str());
  }

 private:
  std::string m_name;
  std::optional<std::string> m_old;
};

// /proc/self exists but takes no new files, not even from root.
TEST_F(AppSettingsTest, UnwritableExecutableDirectoryLogsToStateDirectory) {
  ScopedEnv state("XDG_STATE_HOME", (m_dir.path() / "state").string());
  CLumoraApp app{std::filesystem::path("/proc/self/lumora")};
  EXPECT_EQ(app.OpenLogFile(), 1);
  EXPECT_EQ(app.m_LogFile.GetFilePath(), (m_dir.path() / "state" / "lumora" / "lumora.log").wstring());
  EXPECT_EQ(app.m_LogFile.WriteTimedLine(L"kept"), 1);
}

TEST_F(AppSettingsTest, RelativeStateHomeFallsBackToHome) {
  ScopedEnv state("XDG_STATE_HOME", "relative/state");
  ScopedEnv home("HOME", m_dir.path().string());
  CLumoraApp app{std::filesystem::path("/proc/self/lumora")};
  EXPECT_EQ(app.OpenLogFile(), 1);
  EXPECT_TRUE(std::filesystem::exists(m_dir.path() / ".local" / "state" / "lumora" / "lumora.log"));
}

}  // namespace
