#pragma once
// The calling thread's last-error code, as set by corvane operations that
// report failure details this way (for example CCNetCardInfo::GetLocalAddress).
// Each thread has its own value; it is only changed by a failing operation.
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

namespace corvane {

constexpr DWORD kErrorInvalidParameter = 87;
constexpr DWORD kErrorInsufficientBuffer = 122;

CORVANE_EXPORT DWORD GetLastError();
CORVANE_EXPORT void SetLastError(DWORD dwError);

}  // namespace corvane
