#pragma once
// The library's string table: texts looked up by their numeric identifiers.
#include <corvane/CorvaneTypes.h>

#include <string>

namespace corvane::detail {

constexpr UINT kIdsRegistryCaption = 62126;
constexpr UINT kIdsRegistryTextFailed = 62128;    // one %ls: key path\value name
constexpr UINT kIdsRegistryNumberFailed = 62129;  // one %ls: key path\value name

// The text of an identifier; empty for an unknown one.
std::wstring LoadLibraryString(UINT uId);

}  // namespace corvane::detail
