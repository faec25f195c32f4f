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

// The user's and the system's INI files are the test's own.
class AppSettingsTest : public ::testing::Test {
 protected:
  AppSettingsTest() {
    setenv("XDG_CONFIG_HOME", (m_dir.path() / "config").c_str(), 1);
    m_app.SetSystemIniPath(m_dir.path() / "etc/lumora.ini");
  }
  void WriteFile(const std::filesystem::path& name, const std::string& strContent) {
    std::filesystem::create_directories((m_dir.path() / name).parent_path());
    std::ofstream(m_dir.path() / name, std::ios::binary) << strContent;
  }
  TempDir m_dir;
  RecordingApp m_app{m_dir.path() / "lumora.bin"};  // extension is not part of the name
};

TEST_F(AppSettingsTest, NoIniFileKeepsDefaults) {
  EXPECT_EQ(m_app.ReadIniFile(), 0);
  EXPECT_EQ(Settings(m_app), (std::vector<DWORD>{15001, 15000, 3, 2, 200, 1000, 1000, 50, 50, 1, 0}));
  CLumoraApp unknown{std::filesystem::path()};  // executable not known: no INI beside it
  unknown.SetSystemIniPath(m_dir.path() / "etc/lumora.ini");
  EXPECT_EQ(unknown.GetAppName(), L"lumora");
  EXPECT_EQ(unknown.ReadIniFile(), 0);
  EXPECT_EQ(unknown.dwMaxDiscoveryTry, 3u);
}

// Beside the executable, else the user's, else the system's: the first that
// exists is read whole, with the same rules: missing keys count as 0, but
// keys of our own keep their defaults.
TEST_F(AppSettingsTest, IniFileIsLookedForBesideThenUserThenSystem) {
  const std::pair<const char*, DWORD> kFiles[] = {
      {"etc/lumora.ini", 7}, {"config/lumora/lumora.ini", 8}, {"lumora.ini", 9}};
  EXPECT_EQ(m_app.FindIniFile(), std::filesystem::path());
  for (const auto& [szName, dwTries] : kFiles) {
    WriteFile(szName, "[RETRYTIME]\r\ndwMaxDiscoveryTry=" + std::to_string(dwTries) + "\r\n");
    EXPECT_EQ(m_app.FindIniFile(), m_dir.path() / szName);
    EXPECT_EQ(m_app.ReadIniFile(), 1);
    EXPECT_EQ(Settings(m_app), (std::vector<DWORD>{0, 0, dwTries, 0, 0, 0, 0, 0, 0, 0, 0})) << szName;
    EXPECT_EQ(m_app.dwMaxFillInTry, 2u);
    EXPECT_EQ(m_app.szInterfaces, L"");
  }
}

// The system-wide file the package installs names every key with its
// default: a misspelt key there would read as 0.
TEST_F(AppSettingsTest, PackagedIniFileHoldsTheDefaults) {
  const CLumoraApp defaults{std::filesystem::path()};
  m_app.dwMaxFillInTry = 0;  // kept when the file lacks the key
  ASSERT_EQ(m_app.ReadIniFile(LUMORA_SOURCE_DIR "/packaging/lumora.ini"), 1);
  EXPECT_EQ(Settings(m_app), Settings(defaults));
  EXPECT_EQ(m_app.dwMaxFillInTry, defaults.dwMaxFillInTry);
  EXPECT_EQ(m_app.szHosts + m_app.szInterfaces, L"");
}

TEST(AppLogTest, SystemProgramFoldersTakeNoLog) {
  for (const char* szDir : {"/usr/bin", "/usr/bin/", "/usr/local/bin", "/bin", "/usr/lib/../bin"})
    EXPECT_TRUE(CLumoraApp::IsSystemProgramDirectory(szDir)) << szDir;
  for (const char* szDir : {"/opt/lumora/bin", "/home/ada/lumora/build/bin", "/usr/lib", "bin", "/"})
    EXPECT_FALSE(CLumoraApp::IsSystemProgramDirectory(szDir)) << szDir;
}

TEST_F(AppSettingsTest, EveryKeyLandsInItsOwnSetting) {
  WriteFile("other.ini", "[udptxrxport]\nuirxport=1\nuiTxPort=2\n[RETRYTIME]\ndwMaxDiscoveryTry=3x\n"
            "dwMaxNoDataReadTry=4\ndwMaxFillInTry=0\n[TIMEOUT]\ndwReciveThreadTimeout=5\ndwRxEthTimeout=6\n"
            "dwTxEthTimeout=7\ndwRxThreadIdleTimeout=8\ndwTxThreadIdleTimeout=9\n"
            "[BROADCAST]\ndwBroadcastType=10\n[LOGFILE]\nbtLoggingOn=99999999999\n"
            "[NETWORK]\nszInterfaces=eth0, eth1\nszHosts=10.20.0.0/28,10.30.0.5\n");
  EXPECT_EQ(m_app.ReadIniFile(m_dir.path() / "other.ini"), 1);
  EXPECT_EQ(Settings(m_app), (std::vector<DWORD>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 0xFFFFFFFF}));
  EXPECT_EQ(m_app.dwMaxFillInTry, 0u);
  EXPECT_EQ(m_app.szInterfaces, L"eth0, eth1");
  EXPECT_EQ(m_app.szHosts, L"10.20.0.0/28,10.30.0.5");
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
