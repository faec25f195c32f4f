#include "CLogFileManager.h"
#include "FileText.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {

class LogFileTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return m_dir.path() / "lumora.log"; }
  BOOL OpenLog(DWORD dwEnabled = 1) { return m_log.Open(m_dir.path().wstring(), L"lumora.log", dwEnabled); }
  std::string Content() const { return FileText(File()); }
  TempDir m_dir;
  CLogFileManager m_log;
};

TEST_F(LogFileTest, LinesEndInCrLfWithOptionalTimePrefix) {
  ASSERT_EQ(OpenLog(), 1);
  EXPECT_EQ(m_log.GetFilePath(), File().wstring());
  ASSERT_EQ(m_log.WriteTimedLine(L"<RX_DEV_IDLE>"), 1);
  ASSERT_EQ(m_log.WriteLine(L"a\u00e9\u20acb", 0), 1);  // beyond 8 bits: '?'
  const std::string strContent = Content();
  ASSERT_EQ(strContent.size(), 39u) << strContent;
  for (std::size_t digit : {4, 5, 7, 8, 10, 11}) {
    EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(strContent[digit]))) << strContent;
  }
  EXPECT_EQ(strContent.substr(0, 4) + strContent[6] + strContent[9], "--> ..");
  EXPECT_EQ(strContent.substr(12), " <--  <RX_DEV_IDLE>\r\na\xe9?b\r\n");
}

TEST_F(LogFileTest, NothingIsWrittenWhenDisabledUnopenedOrDeleted) {
  EXPECT_EQ(m_log.WriteTimedLine(L"before open"), 0);
  ASSERT_EQ(OpenLog(0), 1);
  EXPECT_EQ(m_log.WriteLine(L"disabled", 0), 0);
  EXPECT_EQ(Content(), "");
  ASSERT_EQ(OpenLog(), 1);
  std::filesystem::remove(File());
  EXPECT_EQ(m_log.WriteTimedLine(L"lost"), 0);
  EXPECT_FALSE(std::filesystem::exists(File()));  // never recreated
  EXPECT_EQ(m_log.Open((m_dir.path() / "missing").wstring(), L"x.log", 1), 0);
  EXPECT_EQ(m_log.GetFilePath(), (m_dir.path() / "missing" / "x.log").wstring());
}

}  // namespace
