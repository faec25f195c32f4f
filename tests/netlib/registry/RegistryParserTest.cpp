#include <gtest/gtest.h>

#include <string>

#include "registry/RegistryParser.h"

namespace {

using corvane::detail::RegistryDocument;
using corvane::detail::RegistryParser;
using corvane::detail::RegistryValue;

const std::wstring kKey = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front desk";

std::optional<RegistryDocument> Parse(const std::string& text) {
  RegistryParser::Error error;
  auto document = RegistryParser::Parse(text, error);
  if (!document) ADD_FAILURE() << "line " << error.uiLine << ": " << error.strReason;
  return document;
}

std::string Utf16Le(const std::string& ascii) {
  std::string bytes = "\xFF\xFE";
  for (char c : ascii) bytes += std::string{c, '\0'};
  return bytes;
}

TEST(RegistryParser, ReadsEveryFormOfTheExport) {
  const std::string body =
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front desk]\r\n"
      "; a comment\r\n"
      "\"EthPrt\"=dword:0000000a\r\n"
      "\"Path\"=\"C:\\\\spool \\\"x\\\"\"\r\n"
      "@=\"default\"\r\n"
      "\"Bytes\"=hex:01,02,\\\r\n"
      "  03\r\n"
      "\"AsNumber\"=hex(4):2a,00,00,00\r\n"
      "\"Gone\"=\"x\"\r\n"
      "\"Gone\"=-\r\n"
      "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Old\\Sub]\r\n"
      "\"V\"=\"1\"\r\n"
      "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\Old]\r\n";
  for (const std::string& text :
       {"Windows Registry Editor Version 5.00\r\n\r\n" + body, "REGEDIT4\n\n" + body,
        "\xEF\xBB\xBFWindows Registry Editor Version 5.00\n" + body,
        Utf16Le("Windows Registry Editor Version 5.00\r\n" + body)}) {
    const auto document = Parse(text);
    ASSERT_TRUE(document);
    EXPECT_EQ(document->FindValue(kKey, L"ethprt")->data, RegistryValue::Number(10).data);
    EXPECT_EQ(document->FindValue(kKey, L"Path")->AsText(), L"C:\\spool \"x\"");
    EXPECT_EQ(document->FindValue(kKey, L"")->AsText(), L"default");
    EXPECT_EQ(document->FindValue(kKey, L"Bytes")->data, (std::vector<BYTE>{1, 2, 3}));
    EXPECT_EQ(document->FindValue(kKey, L"AsNumber")->dwType, corvane::detail::kRegDword);
    EXPECT_EQ(document->FindValue(kKey, L"Gone"), nullptr);
    // Key names compare without regard to case; a deleted key takes its subkeys along.
    EXPECT_NE(document->FindKey(L"hkey_local_machine\\software\\zq\\TOLVAN\\front DESK"), nullptr);
    EXPECT_EQ(document->FindKey(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Old\\Sub"), nullptr);
  }
}

TEST(RegistryParser, AnyFaultMakesTheWholeStoreUnreadable) {
  const std::string header = "REGEDIT4\n";
  const std::string key = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\n";
  const struct {
    std::string text;
    std::size_t line;
  } cases[] = {
      {"", 0},
      {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\X]\n", 1},
      {header + key + "garbage\n", 3},
      {header + key + "\"A\"=\"C:\\x\"\n", 3},              // unknown escape
      {header + key + "\"A\"=\"open\n", 3},                  // no closing quote
      {header + key + "\"A\"=dword:123456789\n", 3},         // nine digits
      {header + key + "\"A\"=dword:12g4\n", 3},
      {header + key + "\"A\"=hex:1,2x\n", 3},
      {header + key + "\"A\"=hex:01,\\\n", 4},               // continued into nothing
      {header + key + "\"A\"=\"x\" trailing\n", 3},
      {header + "\"A\"=\"before any key\"\n", 2},
      {header + "[HKEY_NOWHERE\\X]\n", 2},
      {header + "[HKEY_LOCAL_MACHINE\\\\X]\n", 2},
      {header + key + "\"A\"=\"" + std::string(70000, 'v') + "\"\n", 3},
      {header + key + "\"A\"=hex:" + std::string(3 * 65537, ',') + "\n", 3},
      {header + key + "\"A\"=\"bell\a\"\n", 0},
      {header + key + "\"A\"=\"\xC3\x28\"\n", 0},             // not UTF-8
      {header + key + "\"A\"=\"cr\rinside\"\n", 3},
      {"\xFF\xFE" "R\0E\0G\0", 0},                            // odd UTF-16 length
  };
  for (const auto& c : cases) {
    RegistryParser::Error error;
    EXPECT_FALSE(RegistryParser::Parse(c.text, error)) << c.text.substr(0, 60);
    EXPECT_FALSE(error.strReason.empty());
    if (c.line != 0) {
      EXPECT_EQ(error.uiLine, c.line) << c.text.substr(0, 60) << error.strReason;
    }
  }
}

}  // namespace
