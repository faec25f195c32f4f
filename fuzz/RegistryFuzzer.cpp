// Fuzzes the registry store's text form: any bytes either give a read
// failure with a reason, or a document whose keys and values are all found
// again by their names and stay within the size limits.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "registry/RegistryParser.h"

using corvane::detail::RegistryParser;

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
  return 0;
}
