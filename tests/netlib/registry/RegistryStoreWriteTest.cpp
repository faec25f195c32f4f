#include <corvane/CRegStore.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "FileText.h"
#include "TempDir.h"
#include "platform/RegistryStore.h"
#include "platform/StoreFile.h"

namespace {

using corvane::detail::RegistryEdit;
using corvane::detail::RegistryFileStore;
using corvane::detail::RegistryLookup;
using corvane::detail::RegistryValue;
using corvane::detail::StoreFile;

const std::wstring kFrontKey = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front";
const std::string kStore =
    "Windows Registry Editor Version 5.00\r\n\r\n; installed by hand\r\n"
    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Back]\r\n\"EthPrt\"=dword:00000001\r\n";

class RegistryStoreWrite : public ::testing::Test {
 protected:
  void TearDown() override { StoreFile::SetFaultForTesting(nullptr); }
  std::filesystem::path Write(const std::string& name, const std::string& text) {
    std::filesystem::create_directories((dir.path() / name).parent_path());
    std::ofstream(dir.path() / name, std::ios::binary) << text;
    return dir.path() / name;
  }
  static RegistryEdit SetFront(DWORD value) {
    return RegistryEdit::SetValue(kFrontKey, L"EthPrt", RegistryValue::Number(value));
  }
  TempDir dir;
};

TEST_F(RegistryStoreWrite, AFailureAtAnyStepLeavesTheOldStoreAndNoTemporaryFile) {
  const auto path = Write("registry.reg", kStore);
  for (const StoreFile::Stage stage : {StoreFile::Stage::kCreateTemporary, StoreFile::Stage::kWrite,
                                       StoreFile::Stage::kSync, StoreFile::Stage::kRename}) {
    StoreFile::SetFaultForTesting([stage](StoreFile::Stage now) { return now == stage; });
    std::string reason;
    EXPECT_FALSE(RegistryFileStore(path.string()).Apply({SetFront(0)}, reason));
    EXPECT_NE(reason.find(path.string()), std::string::npos) << reason;
    EXPECT_EQ(FileText(path), kStore) << static_cast<int>(stage);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1)
        << static_cast<int>(stage);
  }
}

TEST_F(RegistryStoreWrite, KeepsTheModeAndNeverOverwritesAnUnreadableStore) {
  const auto path = Write("registry.reg", kStore);
  ::chmod(path.c_str(), 0640);
  std::string reason;
  ASSERT_TRUE(RegistryFileStore(path.string()).Apply({SetFront(1)}, reason)) << reason;
  EXPECT_EQ(FileText(path), kStore +
                                "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\r\n"
                                "\"EthPrt\"=dword:00000001\r\n");
  EXPECT_EQ(std::filesystem::status(path).permissions(),
            std::filesystem::perms(0640));

  const std::string broken = kStore + "\"Stray\"\r\n";
  Write("registry.reg", broken);
  EXPECT_FALSE(RegistryFileStore(path.string()).Apply({SetFront(0)}, reason));
  EXPECT_NE(reason.find("line 6"), std::string::npos) << reason;
  EXPECT_EQ(FileText(path), broken);
}

// Writers of one store take turns.
TEST_F(RegistryStoreWrite, ConcurrentChangesAllArrive) {
  const std::string path = (dir.path() / "new" / "registry.reg").string();
  auto writer = [&](const std::wstring& prefix) {
    for (int i = 0; i < 20; ++i) {
      std::string reason;
      EXPECT_TRUE(RegistryFileStore(path).Apply(
          {RegistryEdit::SetValue(kFrontKey, prefix + std::to_wstring(i), RegistryValue::Number(i))},
          reason))
          << reason;
    }
  };
  std::thread a(writer, L"a"), b(writer, L"b");
  a.join();
  b.join();
  corvane::detail::RegistryDocument document;
  ASSERT_TRUE(RegistryFileStore(path).Load(document));
  ASSERT_NE(document.FindKey(kFrontKey), nullptr);
  EXPECT_EQ(document.FindKey(kFrontKey)->values.size(), 40u);
}

TEST_F(RegistryStoreWrite, TheUsersKeyHidesTheSystemsKeyWhole) {
  const std::string system = Write("etc/registry.reg",
                                   kStore + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\r\n"
                                            "\"EthPrt\"=dword:00000001\r\n\"Port\"=dword:5\r\n")
                                 .string();
  const std::string user = Write("home/registry.reg",
                                 "REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\n"
                                 "\"EthPrt\"=dword:00000000\n")
                               .string();
  const auto store = corvane::detail::RegistryStore::Layered(user, system);
  RegistryValue value;
  EXPECT_EQ(store->FindValue(kFrontKey, L"EthPrt", value), RegistryLookup::kFound);
  EXPECT_EQ(value, RegistryValue::Number(0));
  EXPECT_EQ(store->FindValue(kFrontKey, L"Port", value), RegistryLookup::kNoValue);
  EXPECT_EQ(store->FindValue(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Back", L"EthPrt", value),
            RegistryLookup::kFound);
  EXPECT_EQ(value, RegistryValue::Number(1));

  Write("home/registry.reg", "not a store");
  EXPECT_EQ(store->FindKey(L"HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Back"),
            RegistryLookup::kUnreadable);
}

TEST_F(RegistryStoreWrite, WritesGoWhereReadsLook) {
  const std::string config = (dir.path() / "config").string();
  setenv("XDG_CONFIG_HOME", config.c_str(), 1);
  unsetenv("CORVANE_REGISTRY");
  EXPECT_EQ(CRegStore::WritePath(false), config + "/corvane/registry.reg");
  EXPECT_EQ(CRegStore::WritePath(true), "/etc/corvane/registry.reg");
  EXPECT_EQ(CRegStore::ReadPaths(),
            (std::vector<std::string>{config + "/corvane/registry.reg", "/etc/corvane/registry.reg"}));
  std::string error;
  ASSERT_TRUE(CRegStore::SetDword(CRegStore::WritePath(false), kFrontKey, L"EthPrt", 1, error)) << error;
  DWORD dwValue = 0;
  EXPECT_TRUE(CRegStore::GetDword(kFrontKey, L"EthPrt", dwValue));
  EXPECT_EQ(dwValue, 1u);

  setenv("CORVANE_REGISTRY", (dir.path() / "only.reg").c_str(), 1);
  EXPECT_EQ(CRegStore::WritePath(true), (dir.path() / "only.reg").string());
  EXPECT_EQ(CRegStore::ReadPaths(), std::vector<std::string>{(dir.path() / "only.reg").string()});
  EXPECT_FALSE(CRegStore::GetDword(kFrontKey, L"EthPrt", dwValue));
  unsetenv("CORVANE_REGISTRY");
  unsetenv("XDG_CONFIG_HOME");
}

}  // namespace

// The empty system store the package installs takes a first value and gives
// it back through the printer link's reader.
TEST_F(RegistryStoreWrite, ThePackagedEmptyStoreIsReadableAndWritable) {
  const auto path = Write("registry.reg", FileText(LUMORA_SOURCE_DIR "/packaging/registry.reg"));
  std::string reason;
  ASSERT_TRUE(RegistryFileStore(path.string()).Apply({SetFront(1)}, reason)) << reason;
  ASSERT_EQ(setenv("CORVANE_REGISTRY", path.c_str(), 1), 0);
  DWORD value = 0;
  EXPECT_TRUE(CRegStore::GetDword(kFrontKey, L"EthPrt", value));
  EXPECT_EQ(value, 1u);
  unsetenv("CORVANE_REGISTRY");
}
