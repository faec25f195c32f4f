#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "codec/WireText.h"
#include "registry/RegistryEditor.h"
#include "registry/RegistryWriter.h"

namespace {

using corvane::detail::RegistryEdit;
using corvane::detail::RegistryEditor;
using corvane::detail::RegistryParser;
using corvane::detail::RegistryValue;

const std::wstring kFront = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front";
const std::wstring kBack = L"HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Back";
const std::string kHead = "Windows Registry Editor Version 5.00\r\n\r\n";

std::string Edit(const std::string& before, const std::vector<RegistryEdit>& edits) {
  RegistryParser::Error error;
  const auto after = RegistryEditor::Edit(before, edits, error);
  if (!after) {
    ADD_FAILURE() << "line " << error.uiLine << ": " << error.strReason;
    return {};
  }
  return *after;
}

RegistryEdit Set(const std::wstring& key, DWORD value) {
  return RegistryEdit::SetValue(key, L"EthPrt", RegistryValue::Number(value));
}

TEST(RegistryEditor, ChangesOnlyTheLinesConcerned) {
  const std::string front = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\r\n";
  const std::string back = "[hkey_local_machine\\software\\zq\\tolvan\\back]\r\n";
  struct Case {
    const char* what;
    std::string before;
    std::vector<RegistryEdit> edits;
    std::string after;
  };
  const std::vector<Case> cases = {
      {"value replaced in place",
       kHead + front + "\"EthPrt\"=dword:1\r\n\"Other\"=\"x\"\r\n; note\r\n",
       {Set(kFront, 0)},
       kHead + front + "\"EthPrt\"=dword:00000000\r\n\"Other\"=\"x\"\r\n; note\r\n"},
      {"value added after the section's last value, before the next section's comment",
       kHead + back + "\"Other\"=hex:01,\\\r\n  02\r\n\r\n; front\r\n" + front,
       {Set(kBack, 1)},
       kHead + back + "\"Other\"=hex:01,\\\r\n  02\r\n\"EthPrt\"=dword:00000001\r\n\r\n; front\r\n" +
           front},
      {"continued byte list replaced whole",
       kHead + front + "\"ethprt\"=hex:01,\\\r\n  02\r\n\"Keep\"=dword:2\r\n",
       {Set(kFront, 1)},
       kHead + front + "\"EthPrt\"=dword:00000001\r\n\"Keep\"=dword:2\r\n"},
      {"new key at the end, after a blank line",
       kHead + back + "\"Keep\"=dword:2",
       {Set(kFront, 0)},
       kHead + back + "\"Keep\"=dword:2\r\n\r\n" + front + "\"EthPrt\"=dword:00000000\r\n"},
      {"key set again after the file deleted it",
       kHead + front + "\"EthPrt\"=dword:1\r\n[-" + front.substr(1),
       {Set(kFront, 0)},
       kHead + front + "\"EthPrt\"=dword:1\r\n[-" + front.substr(1) + "\r\n" + front +
           "\"EthPrt\"=dword:00000000\r\n"},
      {"key and its subkeys removed, the next section's comment kept",
       kHead + front + "\"EthPrt\"=dword:1\r\n\r\n[" + std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front\\Sub]\r\n") +
           "\"X\"=dword:1\r\n; back\r\n" + back + "\"Keep\"=dword:2\r\n",
       {RegistryEdit::DeleteKey(kFront)},
       kHead + "; back\r\n" + back + "\"Keep\"=dword:2\r\n"},
      {"line ends kept line by line; new lines end like the last one",
       "REGEDIT4\r\n\n" + back + "\"Keep\"=dword:2\n",
       {Set(kFront, 0)},
       "REGEDIT4\r\n\n" + back + "\"Keep\"=dword:2\n\n[" +
           std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\n") +
           "\"EthPrt\"=dword:00000000\n"},
      {"the last section removed with the blank lines before it",
       kHead + back + "\"Keep\"=dword:2\r\n\r\n" + front + "\"EthPrt\"=dword:1\r\n",
       {RegistryEdit::DeleteKey(kFront)},
       kHead + back + "\"Keep\"=dword:2\r\n"},
      {"a new store", "", {Set(kFront, 1)},
       "Windows Registry Editor Version 5.00\n\n[" + std::string("HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\n") +
           "\"EthPrt\"=dword:00000001\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(Edit(c.before, c.edits), c.after) << c.what;
}

// A parent key deleted further down would undo a change made inside the
// key's section: the store is written anew from its values instead.
TEST(RegistryEditor, RewritesTheStoreWhenTheFileWouldUndoTheChange) {
  const std::string before = kHead +
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\r\n\"A\"=dword:1\r\n"
                             "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ]\r\n"
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\r\n"
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Keep]\r\n\"K\"=\"v\"\r\n"
                             "[-HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ]\r\n";
  EXPECT_EQ(Edit(before, {Set(kFront, 1)}),
            kHead + "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Keep]\r\n\"K\"=\"v\"\r\n\r\n"
                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\r\n\"EthPrt\"=dword:00000001\r\n");
}

TEST(RegistryEditor, KeepsUtf16) {
  auto utf16 = [](const std::string& ascii) {
    std::string bytes = "\xFF\xFE";
    for (char c : ascii) bytes += std::string{c, '\0'};
    return bytes;
  };
  const std::string front = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\Front]\r\n";
  EXPECT_EQ(Edit(utf16(kHead + front + "\"EthPrt\"=dword:1\r\n"), {Set(kFront, 0)}),
            utf16(kHead + front + "\"EthPrt\"=dword:00000000\r\n"));
}

TEST(RegistryWriter, EveryKindOfValueReadsBackUnchanged) {
  std::vector<BYTE> bytes(60);
  for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<BYTE>(i * 7);
  const std::vector<RegistryValue> values = {
      RegistryValue::Text(L"C:\\spool \"x\" \u00e9"),
      RegistryValue::Number(0xDEADBEEF),
      RegistryValue{corvane::detail::kRegBinary, bytes},
      RegistryValue{corvane::detail::kRegExpandSz, {0x41, 0, 0, 0}},
      RegistryValue{corvane::detail::kRegSz, {0x41, 0, 0x0A, 0, 0, 0}},  // a line feed
      RegistryValue{corvane::detail::kRegDword, {1, 2}},                  // too short
  };
  corvane::detail::RegistryDocument document;
  for (std::size_t i = 0; i < values.size(); ++i)
    document.SetValue(kFront, std::to_wstring(i), values[i]);
  const std::wstring text = corvane::detail::RegistryWriter::Document(document, L"\n");
  RegistryParser::Error error;
  const auto reread = RegistryParser::Parse(corvane::detail::ToUtf8(text), error);
  ASSERT_TRUE(reread) << error.uiLine << ": " << error.strReason;
  for (std::size_t i = 0; i < values.size(); ++i) {
    const RegistryValue* value = reread->FindValue(kFront, std::to_wstring(i));
    ASSERT_NE(value, nullptr) << i;
    EXPECT_EQ(*value, values[i]) << i;
  }
}

}  // namespace
