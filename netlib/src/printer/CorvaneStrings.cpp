#include "printer/CorvaneStrings.h"

#include <array>
#include <utility>

namespace corvane::detail {

std::wstring LoadLibraryString(UINT uId) {
  static constexpr std::array<std::pair<UINT, const wchar_t*>, 3> kTable = {{
      {kIdsRegistryCaption, L"Printer settings"},
      {kIdsRegistryTextFailed, L"Cannot read the text value %ls from the registry."},
      {kIdsRegistryNumberFailed, L"Cannot read the number value %ls from the registry."},
  }};
  for (const auto& [id, text] : kTable) {
    if (id == uId) return text;
  }
  return {};
}

}  // namespace corvane::detail
