// Fuzzes the registry store's text form: any bytes either give a read
// failure with a reason, or a document whose keys and values are all found
// again by their names and stay within the size limits; and a value set in
// such a store by the line editor is read back from the edited store.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registry/RegistryEditor.h"
#include "registry/RegistryParser.h"

using corvane::detail::RegistryEdit;
using corvane::detail::RegistryEditor;
using corvane::detail::RegistryParser;
using corvane::detail::RegistryValue;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  RegistryParser::Error error;
  const auto document =
      RegistryParser::Parse(std::string_view(reinterpret_cast<const char*>(data), size), error);
  if (!document) {
    if (error.strReason.empty()) std::abort();
    return 0;
  }
  for (const auto& key : document->Keys()) {
    if (document->FindKey(key.strPath) != &key) std::abort();
    for (const auto& named : key.values) {
      if (document->FindValue(key.strPath, named.strName) != &named.value) std::abort();
      if (named.value.data.size() > RegistryParser::kMaxValueBytes) std::abort();
      (void)named.value.AsText();
    }
  }
  const std::wstring key = document->Keys().empty() ? L"HKEY_LOCAL_MACHINE\\New"
                                                    : document->Keys().front().strPath;
  const auto edited = RegistryEditor::Edit(
      std::string_view(reinterpret_cast<const char*>(data), size),
      {RegistryEdit::SetValue(key, L"EthPrt", RegistryValue::Number(7))}, error);
  if (!edited) std::abort();
  const auto reread = RegistryParser::Parse(*edited, error);
  if (!reread || reread->FindValue(key, L"EthPrt") == nullptr ||
      !(*reread->FindValue(key, L"EthPrt") == RegistryValue::Number(7)))
    std::abort();
  return 0;
}
