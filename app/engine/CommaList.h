#pragma once
// Settings that list several items in one text: "a, b,c".
#include <string>
#include <vector>

namespace CommaList {

// The items between the commas, without surrounding blanks; empty items are
// left out.
std::vector<std::wstring> Split(const std::wstring& strText);

}  // namespace CommaList
