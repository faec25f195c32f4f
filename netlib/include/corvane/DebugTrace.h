#pragma once
// Debugger output of corvane. Trace lines go to one process-wide sink that a
// program may replace; the default sink discards them, as a debugger output
// with no debugger attached does.
#include <corvane/corvane_export.h>

#include <functional>
#include <string>

namespace corvane {

using TraceSink = std::function<void(const std::wstring&)>;

// Installs a sink and returns the previous one. An empty sink discards lines.
CORVANE_EXPORT TraceSink SetDebugTraceSink(TraceSink sink);

// Hands one line to the current sink. Safe from any thread.
CORVANE_EXPORT void OutputDebugTrace(const std::wstring& line);

}  // namespace corvane
