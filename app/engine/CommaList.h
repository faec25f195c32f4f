#pragma once
// Settings that list several items in one text: "a, b,c".
#include <string>
#include <vector>

namespace CommaList {

// The items between the commas, without surrounding blanks; empty items are
// left out.
std::vector<std::wstring> Split(const std::wstring& strText);

// The text without leading and trailing blanks and tabs.
std::wstring Trim(const std::wstring& strText);

}  // namespace CommaList
