#include "CLogFileManager.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

namespace {

std::string ReadAll(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class LogFileTest : public ::testing::Test {
 protected:
  TempDir m_dir;
  std::filesystem::path File() const { return m_dir.path() / "lumora.log"; }
  BOOL OpenLog(DWORD dwEnabled = 1) {
    return m_log.Open(m_dir.path().wstring(), L"lumora.log", dwEnabled);
  }
  CLogFileManager m_log;
};

TEST_F(LogFileTest, TimedLineHasPrefixAndCrLf) {
  ASSERT_EQ(OpenLog(), 1);
  EXPECT_EQ(m_log.GetFilePath(), File().wstring());
  ASSERT_EQ(m_log.WriteTimedLine(L"<RX_DEV_IDLE>"), 1);
  ASSERT_EQ(m_log.WriteLine(L"plain", 0), 1);
  const std::string content = ReadAll(File());
  const std::regex expected("--> [0-2][0-9]\\.[0-5][0-9]\\.[0-6][0-9] <--  <RX_DEV_IDLE>\r\nplain\r\n");
  EXPECT_TRUE(std::regex_match(content, expected)) << content;
}

TEST_F(LogFileTest, CharactersBeyondEightBitsBecomeQuestionMarks) {
  ASSERT_EQ(OpenLog(), 1);
  ASSERT_EQ(m_log.WriteLine(L"a\u00e9\u20acb", 0), 1);
  EXPECT_EQ(ReadAll(File()), "a\xe9?b\r\n");
}

TEST_F(LogFileTest, SecondOpenEmptiesThePreviousLog) {
  ASSERT_EQ(OpenLog(), 1);
  ASSERT_EQ(m_log.WriteTimedLine(L"first run"), 1);
  CLogFileManager second;
  ASSERT_EQ(second.Open(m_dir.path().wstring(), L"lumora.log", 1), 1);
  EXPECT_EQ(ReadAll(File()), "");
}

TEST_F(LogFileTest, DisabledLogWritesNothing) {
  ASSERT_EQ(OpenLog(0), 1);
  EXPECT_EQ(m_log.WriteTimedLine(L"text"), 0);
  EXPECT_EQ(m_log.WriteLine(L"text", 0), 0);
  EXPECT_EQ(ReadAll(File()), "");
}

TEST_F(LogFileTest, DeletedFileIsNotRecreated) {
  ASSERT_EQ(OpenLog(), 1);
  std::filesystem::remove(File());
  EXPECT_EQ(m_log.WriteTimedLine(L"lost"), 0);
  EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(LogFileTest, UnopenedLogAndUncreatableFileWriteNothing) {
  EXPECT_EQ(m_log.WriteTimedLine(L"before open"), 0);
  EXPECT_EQ(m_log.Open((m_dir.path() / "missing").wstring(), L"x.log", 1), 0);
  EXPECT_EQ(m_log.GetFilePath(), (m_dir.path() / "missing" / "x.log").wstring());
  EXPECT_EQ(m_log.WriteTimedLine(L"text"), 0);
}

TEST_F(LogFileTest, EmptyDirectoryAndNameMeanCurrentDirectoryDefaultName) {
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(m_dir.path());
  const BOOL bOpened = m_log.Open(L"", L"", 1);
  std::filesystem::current_path(previous);
  EXPECT_EQ(bOpened, 1);
  EXPECT_EQ(m_log.GetFilePath(), L"./0ZQMainLog.log");
  EXPECT_TRUE(std::filesystem::exists(m_dir.path() / "0ZQMainLog.log"));
}

}  // namespace
