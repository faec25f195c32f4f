#include <corvane/RegistryErrorReport.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "TempDir.h"
#include "printer/CRegHnd.h"

namespace {

using corvane::detail::RegistryFileStore;

const std::wstring kQueueKey = L"SOFTWARE\\ZQ\\Tolvan\\Front desk";

// A store file, and every report the reads make.
class CRegHndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_previous = corvane::SetRegistryErrorHook(
        [this](void*, const std::wstring& caption, const std::wstring& text) {
          reports.push_back(caption + L"|" + text);
        });
  }
  void TearDown() override { corvane::SetRegistryErrorHook(m_previous); }

  CRegHnd Store(const std::string& body, const std::string& header = "REGEDIT4\n") {
    std::ofstream(Path()) << header << body;
    return CRegHnd(std::make_unique<RegistryFileStore>(Path()));
  }
  std::string Path() const { return (dir.path() / "registry.reg").string(); }

  TempDir dir;
  std::vector<std::wstring> reports;

 private:
  corvane::RegistryErrorHook m_previous;
};

const std::string kFrontDesk =
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front desk]\n"
    "\"EthPrt\"=dword:00000000\n"
    "\"Name\"=\"Front desk\"\n"
    "\"Long\"=\"" + std::string(300, 'L') + "\"\n";

TEST_F(CRegHndTest, TypedValuesReadAsTheirTypeOnly) {
  CRegHnd reg = Store(kFrontDesk);
  DWORD dwOk = 9;
  EXPECT_EQ(reg.GetRegDword(HKEY_LOCAL_MACHINE, kQueueKey, L"EthPrt", &dwOk), 0u);
  EXPECT_EQ(dwOk, 1u);
  EXPECT_EQ(reg.GetRegString(HKEY_LOCAL_MACHINE, kQueueKey, L"Name"), L"Front desk");
  // Longer than the 250-byte value buffer: read whole.
  EXPECT_EQ(reg.GetRegString(HKEY_LOCAL_MACHINE, kQueueKey, L"Long"), std::wstring(300, L'L'));
  EXPECT_TRUE(reports.empty());

  EXPECT_EQ(reg.GetRegString(HKEY_LOCAL_MACHINE, kQueueKey, L"EthPrt"), L"ERROR");
  EXPECT_EQ(reg.GetRegDword(HKEY_LOCAL_MACHINE, kQueueKey, L"Name", &dwOk), 0u);
  EXPECT_EQ(dwOk, 0u);
  EXPECT_EQ(reg.GetRegDword(HKEY_LOCAL_MACHINE, kQueueKey, L"Missing", &dwOk), 0u);
  EXPECT_EQ(reg.GetRegDword(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Nowhere", L"EthPrt", &dwOk), 0u);
  const std::wstring caption = L"Printer settings|";
  EXPECT_EQ(reports, (std::vector<std::wstring>{
                         caption + L"Cannot read the text value " + kQueueKey +
                             L"\\EthPrt from the registry.",
                         caption + L"Cannot read the number value " + kQueueKey +
                             L"\\Name from the registry.",
                         caption + L"Cannot read the number value " + kQueueKey +
                             L"\\Missing from the registry.",
                         caption + L"Cannot read the number value SOFTWARE\\Nowhere\\EthPrt "
                                   L"from the registry."}));
}

TEST_F(CRegHndTest, ABrokenStoreGivesTheSentinelsAndReports) {
  for (const std::string& broken : {kFrontDesk + "\"Bad\"=\"C:\\x\"\n", std::string("\0\x01\x02", 3),
                                    kFrontDesk + std::string(5u << 20, 'z')}) {
    reports.clear();
    CRegHnd reg = Store(broken);
    DWORD dwOk = 9;
    EXPECT_EQ(reg.GetRegDword(HKEY_LOCAL_MACHINE, kQueueKey, L"EthPrt", &dwOk), 0u);
    EXPECT_EQ(dwOk, 0u);
    EXPECT_EQ(reg.GetRegString(HKEY_LOCAL_MACHINE, kQueueKey, L"Name"), L"ERROR");
    EXPECT_EQ(reports.size(), 2u);
  }
}

TEST_F(CRegHndTest, ReportTextIsCutTo249Characters) {
  CRegHnd reg = Store("");
  reg.GetRegString(HKEY_LOCAL_MACHINE, std::wstring(400, L'k'), L"v");
  ASSERT_EQ(reports.size(), 1u);
  EXPECT_EQ(reports[0].size(), std::wstring(L"Printer settings|").size() + 249);
}

// An account that may read the store but not write it still reads values.
TEST_F(CRegHndTest, ReadAccessIsEnough) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to read as another account";
  Store(kFrontDesk);
  std::filesystem::permissions(dir.path(), std::filesystem::perms(0755));
  std::filesystem::permissions(Path(), std::filesystem::perms(0444));
  const pid_t child = fork();
  if (child == 0) {
    if (setgid(65534) != 0 || setuid(65534) != 0) _exit(2);
    CRegHnd reg(std::make_unique<RegistryFileStore>(Path()));
    DWORD dwOk = 0;
    reg.GetRegDword(HKEY_LOCAL_MACHINE, kQueueKey, L"EthPrt", &dwOk);
    _exit(dwOk == 1 && reg.GetRegString(HKEY_LOCAL_MACHINE, kQueueKey, L"Name") == L"Front desk" ? 0 : 1);
  }
  int status = -1;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
}

}  // namespace
