#pragma once
// Hands one registry error to the installed hook (or to standard error).
#include <string>

namespace corvane::detail {

void ReportRegistryError(void* pOwner, const std::wstring& strCaption, const std::wstring& strText);

}  // namespace corvane::detail
