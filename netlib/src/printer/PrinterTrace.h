#pragma once
// The printer link's trace lines: formatted printf-style (wide formatter,
// "%ls" for texts) into 256 wide characters — longer output is cut to 255 —
// and handed to corvane's trace sink (<corvane/DebugTrace.h>). The texts
// carry their own line ends.
#include <cstddef>
#include <string>

namespace corvane::detail {

constexpr std::size_t kTraceBufferChars = 256;

std::wstring FormatTrace(const wchar_t* pFormat, ...);
void DebugTrace(const wchar_t* pFormat, ...);

}  // namespace corvane::detail
