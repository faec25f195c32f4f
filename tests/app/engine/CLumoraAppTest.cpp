#include "CLumoraApp.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <utility>
#include <vector>

namespace {

// The settings in INI order, for whole-set comparisons.
std::vector<DWORD> Settings(const CLumoraApp& app) {
  return {app.uiRxPort, app.uiTxPort, app.dwMaxDiscoveryTry, app.dwMaxNoDataReadTry,
          app.dwReciveThreadTimeout, app.dwRxEthTimeout, app.dwTxEthTimeout,
          app.dwRxThreadIdleTimeout, app.dwTxThreadIdleTimeout, app.dwBroadcastType, app.btLoggingOn};
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

class AppSettingsTest : public ::testing::Test {
 protected:
  void WriteFile(const char* szName, const std::string& strContent) {
    std::ofstream(m_dir.path() / szName, std::ios::binary) << strContent;
  }
  TempDir m_dir;
  RecordingApp m_app{m_dir.path() / "lumora.bin"};  // extension is not part of the name
};

TEST_F(AppSettingsTest, NoIniFileKeepsDefaults) {
  EXPECT_EQ(m_app.ReadIniFile(), 0);
  EXPECT_EQ(Settings(m_app), (std::vector<DWORD>{15001, 15000, 3, 2, 200, 1000, 1000, 50, 50, 1, 0}));
  CLumoraApp unknown{std::filesystem::path()};  // executable not known: no INI beside it
  EXPECT_EQ(unknown.GetAppName(), L"lumora");
  EXPECT_EQ(unknown.ReadIniFile(), 0);
  EXPECT_EQ(unknown.dwMaxDiscoveryTry, 3u);
}

TEST_F(AppSettingsTest, IniWithOnlyBroadcastSectionZeroesEverythingElse) {
  WriteFile("lumora.ini", "[BROADCAST]\r\ndwBroadcastType=0\r\n");
  EXPECT_EQ(m_app.ReadIniFile(), 1);
  EXPECT_EQ(Settings(m_app), std::vector<DWORD>(11, 0));
}

// Keys of our own keep their defaults when missing, unlike the others.
TEST_F(AppSettingsTest, OwnKeysFallBackToTheirDefaults) {
  WriteFile("lumora.ini", "[BROADCAST]\ndwBroadcastType=0\n[RETRYTIME]\ndwMaxFillInTry=\n");
  EXPECT_EQ(m_app.ReadIniFile(), 1);
  EXPECT_EQ(m_app.dwMaxFillInTry, 2u);
  EXPECT_EQ(m_app.szInterfaces, L"");
  WriteFile("lumora.ini", "[NETWORK]\nszInterfaces=eth0, eth1\nszHosts=10.20.0.0/28,10.30.0.5\n"
                          "[RETRYTIME]\ndwMaxFillInTry=0\n");
  EXPECT_EQ(m_app.ReadIniFile(), 1);
  EXPECT_EQ(m_app.dwMaxFillInTry, 0u);
  EXPECT_EQ(m_app.szInterfaces, L"eth0, eth1");
  EXPECT_EQ(m_app.szHosts, L"10.20.0.0/28,10.30.0.5");
}

TEST_F(AppSettingsTest, EveryKeyLandsInItsOwnSetting) {
  WriteFile("other.ini", "[udptxrxport]\nuirxport=1\nuiTxPort=2\n[RETRYTIME]\ndwMaxDiscoveryTry=3x\n"
            "dwMaxNoDataReadTry=4\n[TIMEOUT]\ndwReciveThreadTimeout=5\ndwRxEthTimeout=6\n"
            "dwTxEthTimeout=7\ndwRxThreadIdleTimeout=8\ndwTxThreadIdleTimeout=9\n"
            "[BROADCAST]\ndwBroadcastType=10\n[LOGFILE]\nbtLoggingOn=99999999999\n");
  EXPECT_EQ(m_app.ReadIniFile(m_dir.path() / "other.ini"), 1);
  EXPECT_EQ(Settings(m_app), (std::vector<DWORD>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xFFFFFFFF}));
}

TEST_F(AppSettingsTest, StartUpParsesReadsEmptiesLogThenRunsWindow) {
  WriteFile("lumora.ini", "[RETRYTIME]\ndwMaxDiscoveryTry=9\n");
  WriteFile("lumora.log", "previous run");
  char arg0[] = "lumora", arg1[] = "/D";
  char* argv[] = {arg0, arg1, nullptr};
  EXPECT_EQ(m_app.InitInstance(2, argv), 42);
  EXPECT_EQ(m_app.m_dwFlags, 1u);
  EXPECT_EQ(m_app.dwMaxDiscoveryTry, 9u);
  EXPECT_EQ(m_app.bLogReady, 1);
  EXPECT_EQ(m_app.m_LogFile.GetFilePath(), (m_dir.path() / "lumora.log").wstring());
  EXPECT_EQ(std::filesystem::file_size(m_dir.path() / "lumora.log"), 26u);  // one timed line
}

// /proc/self exists but takes no new file, not even from root. The state
// directory is XDG_STATE_HOME when absolute, else ~/.local/state.
TEST_F(AppSettingsTest, UnwritableExecutableDirectoryLogsToStateDirectory) {
  const std::string strHome = m_dir.path().string();
  ASSERT_EQ(setenv("HOME", strHome.c_str(), 1), 0);
  CLumoraApp app{std::filesystem::path("/proc/self/lumora")};
  const std::pair<std::string, const char*> kCases[] = {{strHome + "/state", "state"},
                                                        {"relative", ".local/state"}};
  for (const auto& [strState, szExpectedDir] : kCases) {
    ASSERT_EQ(setenv("XDG_STATE_HOME", strState.c_str(), 1), 0);
    EXPECT_EQ(app.OpenLogFile(), 1);
    EXPECT_EQ(app.m_LogFile.GetFilePath(), (m_dir.path() / szExpectedDir / "lumora/lumora.log").wstring());
    EXPECT_EQ(app.m_LogFile.WriteTimedLine(L"kept"), 1);
  }
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
  char arg0[] = "/opt/my app/lumora", arg1[] = "/d", arg2[] = "caf\xC3\xA9", arg3[] = "\xFF";
  char* argv[] = {arg0, arg1, arg2, arg3, nullptr};
  EXPECT_EQ(CLumoraApp::BuildCommandLine(4, argv), L"/opt/my app/lumora /d caf\u00e9 \u00ff");
  EXPECT_EQ(CLumoraApp::BuildCommandLine(0, argv), L"");
}

}  // namespace
