#include "CommaList.h"

#include <algorithm>
#include <utility>

namespace CommaList {

std::vector<std::wstring> Split(const std::wstring& strText) {
  std::vector<std::wstring> items;
  std::size_t start = 0;
  while (start <= strText.size()) {
    const std::size_t comma = std::min(strText.find(L',', start), strText.size());
    std::wstring strItem = Trim(strText.substr(start, comma - start));
    start = comma + 1;
    if (!strItem.empty()) items.push_back(std::move(strItem));
  }
  return items;
}

std::wstring Trim(const std::wstring& strText) {
  const std::size_t first = strText.find_first_not_of(L" \t");
  if (first == std::wstring::npos) return {};
  return strText.substr(first, strText.find_last_not_of(L" \t") - first + 1);
}

}  // namespace CommaList
