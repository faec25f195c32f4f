#include "CliOptions.h"
#include "CliText.h"

#include <gtest/gtest.h>

#include <string>

using Command = CliOptions::Command;

TEST(CliOptions, AcceptedCommandLines) {
  struct Case {
    std::vector<std::string_view> args;
    Command command;
    bool json, debug;
    const char* ini;
  };
  const Case cases[] = {
      {{"discover"}, Command::kDiscover, false, false, nullptr},
      {{"discover", "--json", "--debug"}, Command::kDiscover, true, true, nullptr},
      {{"--debug", "discover", "--ini", "a.ini"}, Command::kDiscover, false, true, "a.ini"},
      {{"discover", "--ini=b.ini", "--json"}, Command::kDiscover, true, false, "b.ini"},
      {{"settings", "--ini", "c.ini"}, Command::kSettings, false, false, "c.ini"},
      {{"adapters"}, Command::kAdapters, false, false, nullptr},
      {{"discover", "--help"}, Command::kHelp, false, false, nullptr},
      {{"-h"}, Command::kHelp, false, false, nullptr},
      {{"help"}, Command::kHelp, false, false, nullptr},
  };
  for (const Case& c : cases) {
    std::string error;
    const auto options = CliOptions::Parse(c.args, error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->command, c.command);
    if (c.command == Command::kHelp) continue;
    EXPECT_EQ(options->bJson, c.json);
    EXPECT_EQ(options->bDebug, c.debug);
    EXPECT_EQ(options->iniPath.has_value(), c.ini != nullptr);
    if (c.ini) {
      EXPECT_EQ(options->iniPath->string(), c.ini);
    }
  }
}

TEST(CliOptions, UsageErrorsAreNamed) {
  const std::pair<std::vector<std::string_view>, const char*> cases[] = {
      {{}, "no command"},
      {{"find"}, "unknown command 'find'"},
      {{"discover", "--xml"}, "unknown option '--xml'"},
      {{"discover", "--ini"}, "--ini needs a file name"},
      {{"discover", "--ini="}, "--ini needs a file name"},
      {{"discover", "--json=1"}, "--json takes no value"},
      {{"discover", "settings"}, "unexpected argument 'settings'"},
      {{"adapters", "--json"}, "--json does not apply"},
      {{"settings", "--debug"}, "--debug does not apply"},
      {{"adapters", "--ini", "x"}, "--ini does not apply"},
  };
  for (const auto& [args, message] : cases) {
    std::string error;
    EXPECT_FALSE(CliOptions::Parse(args, error));
    EXPECT_NE(error.find(message), std::string::npos) << error;
  }
}

TEST(CliText, NetworkTextIsMadeSafe) {
  const std::wstring nasty = std::wstring(L"a\"b\\c") + wchar_t(0x1B) + L"[2J" + wchar_t(0xE9) +
                             wchar_t(0) + L"z";
  EXPECT_EQ(CliText::Display(nasty), "a\"b\\c\\x1B[2J\xC3\xA9\\x00z");
  EXPECT_EQ(CliText::JsonString(nasty), "\"a\\\"b\\\\c\\u001b[2J\xC3\xA9\\u0000z\"");
  EXPECT_EQ(CliText::JsonString(L""), "\"\"");
}

TEST(CliText, TableAlignsColumnsAndTrimsLineEnds) {
  const std::string table = CliText::Table({L"A", L"BB", L"C"}, {{L"xxx", L"", L""}, {L"y", L"z", L"w"}});
  EXPECT_EQ(table, "A    BB  C\nxxx\ny    z   w\n");
}
