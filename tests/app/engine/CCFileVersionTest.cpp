#include "CCFileVersion.h"

#include <gtest/gtest.h>

#include <fstream>

#include "EnginePlatform.h"
#include "FileText.h"
#include "TempDir.h"

namespace {

const std::filesystem::path kVersioned = LUMORA_BINARY_DIR "/bin/lumora-cli";

void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST(CCFileVersion, ReadsTheBlockEmbeddedInTheBuiltExecutable) {
  CCFileVersion version;
  ASSERT_TRUE(version.Open(kVersioned.wstring()));
  EXPECT_EQ(version.GetTranslation(), 0x040904B0u);
  EXPECT_EQ(version.GetProductVersion(), L"0, 1, 2, 1");
  EXPECT_EQ(version.QueryValue(L"ProductName"), L"Lumora");
  EXPECT_EQ(version.QueryValue(L"ProductVersion", 0x041004B0), L"");  // no Italian table
  EXPECT_EQ(version.QueryValue(L"NoSuchValue"), L"");
}

TEST(CCFileVersion, FilesWithoutOrWithDamagedVersionInformationFail) {
  TempDir dir;
  const std::string elf = FileText(kVersioned);
  ASSERT_FALSE(elf.empty());
  // Every copy: the program's own reader holds the signature text too.
  std::string badSignature = elf;
  for (auto pos = badSignature.find("LUMORA-VERSION-1"); pos != std::string::npos;
       pos = badSignature.find("LUMORA-VERSION-1", pos))
    badSignature.replace(pos, 6, "LUMINA");
  WriteFile(dir.path() / "text", "not an executable\n");
  WriteFile(dir.path() / "truncated", elf.substr(0, elf.size() / 2));
  WriteFile(dir.path() / "signature", badSignature);
  const std::filesystem::path files[] = {
      EnginePlatform::ExecutablePath(),  // this test program has no version block
      dir.path() / "missing", dir.path() / "text", dir.path() / "truncated",
      dir.path() / "signature"};
  for (const auto& file : files) {
    CCFileVersion version;
    EXPECT_FALSE(version.Open(file.wstring())) << file;
    EXPECT_EQ(version.GetTranslation(), 0u);
    EXPECT_EQ(version.GetProductVersion(), L"");
  }
}
