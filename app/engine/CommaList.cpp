#include "CommaList.h"

#include <algorithm>

namespace CommaList {

std::vector<std::wstring> Split(const std::wstring& strText) {
  std::vector<std::wstring> items;
  std::size_t start = 0;
  while (start <= strText.size()) {
    const std::size_t comma = std::min(strText.find(L',', start), strText.size());
    const std::wstring strItem = strText.substr(start, comma - start);
    start = comma + 1;
    const std::size_t first = strItem.find_first_not_of(L" \t");
    if (first == std::wstring::npos) continue;
    items.push_back(strItem.substr(first, strItem.find_last_not_of(L" \t") - first + 1));
  }
  return items;
}

}  // namespace CommaList
