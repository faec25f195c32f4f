#include <gtest/gtest.h>

#include <fstream>

#include "BrowserCommand.h"
#include "ShellErrors.h"
#include "TempDir.h"

TEST(ShellErrors, MessagesCarryThePrefixAndTheCodesText) {
  EXPECT_EQ(ShellErrors::Message(26), L"Unable to open hyperlink:\n\nA sharing violation occurred. ");
  EXPECT_EQ(ShellErrors::Message(31),
            L"Unable to open hyperlink:\n\nThere is no application associated\nwith the given "
            L"filename extension.");
  EXPECT_EQ(ShellErrors::Message(4), L"Unable to open hyperlink:\n\nUnknown Error (4) occurred.");
  EXPECT_EQ(ShellErrors::Text(-1), L"Unknown Error (-1) occurred.");
}

TEST(BrowserCommand, CommandLineCutsAtThePlaceholder) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"browser %u", L"browser  URL"},
      {L"browser --new-window %U", L"browser --new-window  URL"},
      {L"\"/opt/a b/browser\" \"%f\"", L"\"/opt/a b/browser\"  URL"},
      {L"browser \"%F\" --after", L"browser  URL"},
      {L"browser %F \"%u\"", L"browser %F  URL"},  // the quoted form comes first
      {L"browser", L"browser URL"},
      {L"browser %1", L"browser %1 URL"},
  };
  for (const auto& [command, expected] : cases)
    EXPECT_EQ(BrowserCommand::CommandLine(command, L"URL"), expected) << command;
}

TEST(BrowserCommand, SplitArgumentsHonoursQuotesAndDropsFieldCodes) {
  using Args = std::vector<std::wstring>;
  EXPECT_EQ(BrowserCommand::SplitArguments(L"  \"/opt/a b/browser\"  --x=\"1 2\" http://h/ "),
            (Args{L"/opt/a b/browser", L"--x=1 2", L"http://h/"}));
  EXPECT_EQ(BrowserCommand::SplitArguments(L"browser %i --name=\"a\\\"b\" 100%% \"\""),
            (Args{L"browser", L"--name=a\"b", L"100%", L""}));
}

TEST(BrowserCommand, DefaultHtmlBrowserComesFromMimeAppsLists) {
  TempDir dir;
  const auto root = dir.path();
  XdgDirectories dirs{root / "config", {root / "etc"}, root / "data", {root / "share"}, {"xfce"}};
  for (const auto& d : {root / "config", root / "etc", root / "data/applications",
                        root / "share/applications"})
    std::filesystem::create_directories(d);
  auto write = [](const std::filesystem::path& path, const char* text) {
    std::ofstream(path) << text;
  };
  EXPECT_EQ(BrowserCommand::DefaultHtmlExecLine(dirs), L"");

  write(root / "share/applications/web.desktop",
        "[Desktop Action new]\nExec=web --new\n[Desktop Entry]\nName=Web\nExec = web %u\n");
  write(root / "share/applications/other.desktop", "[Desktop Entry]\nExec=other %U\n");
  write(root / "etc/mimeapps.list",
        "[Added Associations]\ntext/html=other.desktop\n"
        "[Default Applications]\ntext/html=gone.desktop;web.desktop;\n");
  EXPECT_EQ(BrowserCommand::DefaultHtmlExecLine(dirs), L"web %u");

  // The user's own list and a desktop-specific one come first.
  write(root / "config/mimeapps.list", "[Default Applications]\ntext/html=web.desktop\n");
  write(root / "config/xfce-mimeapps.list", "[Default Applications]\ntext/html=other.desktop\n");
  EXPECT_EQ(BrowserCommand::DefaultHtmlExecLine(dirs), L"other %U");
}
