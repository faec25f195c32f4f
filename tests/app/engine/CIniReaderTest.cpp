#include "CIniReader.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

struct NumberCase {
  const wchar_t* szText;
  DWORD dwExpected;
};

const NumberCase kNumberCases[] = {
    {L"", 0},           {L"abc", 0},          {L"12abc", 12},       {L"007", 7},
    {L"  42", 42},      {L"+7", 7},           {L"-5", 0},           {L"-0", 0},
    {L"1 2", 1},        {L"4294967295", 0xFFFFFFFFu}, {L"4294967296", 0xFFFFFFFFu},
    {L"99999999999999999999999999", 0xFFFFFFFFu},
};

TEST(IniReaderTest, ValueConversionTakesLeadingDigitsAndSaturates) {
  for (const NumberCase& c : kNumberCases) {
    EXPECT_EQ(CIniReader::ToDword(c.szText), c.dwExpected) << testing::PrintToString(std::wstring(c.szText));
  }
}

class IniFileTest : public ::testing::Test {
 protected:
  void Write(const std::string& strContent) {
    std::ofstream(m_dir.path() / "test.ini", std::ios::binary) << strContent;
    ASSERT_EQ(m_reader.SetFileName(m_dir.path() / "test.ini"), 1);
  }
  TempDir m_dir;
  CIniReader m_reader;
};

TEST_F(IniFileTest, MissingFileKeepsNoPath) {
  EXPECT_EQ(m_reader.SetFileName(m_dir.path() / "absent.ini"), 0);
  EXPECT_EQ(m_reader.SetFileName(m_dir.path()), 0);
  EXPECT_TRUE(m_reader.GetFileName().empty());
  EXPECT_EQ(m_reader.ReadValue(L"uiTxPort", L"UDPTXRXPORT"), L"");
}

// Some editors save a byte-order mark right before the first section header.
TEST_F(IniFileTest, SectionsAndKeysMatchWithoutCase) {
  Write("\xEF\xBB\xBF[udptxrxport]\r\n; settings\r\n  UIRXPORT = 1234 \r\nuiTxPort=\"99\"\r\n"
        "[TIMEOUT]\r\nk=\xEF\xBB\xBF\r\n");
  EXPECT_EQ(m_reader.ReadValue(L"uiRxPort", L"UDPTXRXPORT"), L"1234");
  EXPECT_EQ(m_reader.ReadValue(L"uiTxPort", L"UdpTxRxPort"), L"99");
  EXPECT_EQ(m_reader.ReadValue(L"uiTxPort", L"TIMEOUT"), L"");
  EXPECT_EQ(m_reader.ReadValue(L"; settings", L"UDPTXRXPORT"), L"");
  EXPECT_EQ(m_reader.ReadValue(L"k", L"TIMEOUT"), L"\u00EF\u00BB\u00BF");  // only the file's first bytes
}

TEST_F(IniFileTest, FirstSectionAndFirstKeyWin) {
  Write("a=0\n[S]\nk=1\nk=2\nempty=\nbare\n[T]\nk=3\n[s]\nk=4\nother=5\n");
  EXPECT_EQ(m_reader.ReadValue(L"k", L"S"), L"1");
  EXPECT_EQ(m_reader.ReadValue(L"k", L"T"), L"3");
  EXPECT_EQ(m_reader.ReadValue(L"other", L"S"), L"");  // only in a later [s]
  EXPECT_EQ(m_reader.ReadValue(L"empty", L"S"), L"");
  EXPECT_EQ(m_reader.ReadValue(L"bare", L"S"), L"");
  EXPECT_EQ(m_reader.ReadValue(L"a", L""), L"");  // keys before any section belong to none
}

TEST_F(IniFileTest, LongValueIsCutAt255Characters) {
  Write("[S]\nk=" + std::string(300, '7') + "\n");
  EXPECT_EQ(m_reader.ReadValue(L"k", L"S"), std::wstring(255, L'7'));
  EXPECT_EQ(m_reader.ReadDword(L"k", L"S"), 0xFFFFFFFFu);
}

}  // namespace
