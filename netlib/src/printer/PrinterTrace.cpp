#include "printer/PrinterTrace.h"

#include <corvane/DebugTrace.h>

#include <cstdarg>
#include <cwchar>
#include <vector>

namespace corvane::detail {
namespace {

constexpr std::size_t kLargestFormat = 1 << 16;

std::wstring Format(const wchar_t* pFormat, va_list args) {
  // Formatted whole first (vswprintf gives no dependable partial output),
  // then cut to the trace buffer.
  for (std::size_t size = kTraceBufferChars; size <= kLargestFormat; size *= 4) {
    std::vector<wchar_t> buffer(size);
    va_list copy;
    va_copy(copy, args);
    const int written = std::vswprintf(buffer.data(), buffer.size(), pFormat, copy);
    va_end(copy);
    if (written >= 0) {
      const std::size_t length = std::min<std::size_t>(written, kTraceBufferChars - 1);
      return std::wstring(buffer.data(), length);
    }
  }
  return {};
}

}  // namespace

std::wstring FormatTrace(const wchar_t* pFormat, ...) {
  va_list args;
  va_start(args, pFormat);
  std::wstring line = Format(pFormat, args);
  va_end(args);
  return line;
}

void DebugTrace(const wchar_t* pFormat, ...) {
  va_list args;
  va_start(args, pFormat);
  const std::wstring line = Format(pFormat, args);
  va_end(args);
  OutputDebugTrace(line);
}

}  // namespace corvane::detail
