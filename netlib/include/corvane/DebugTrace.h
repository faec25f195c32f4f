#pragma once
// Debugger output of corvane. Trace lines go to one process-wide sink that a
// program may replace. Until it does, the environment variable CORVANE_TRACE
// decides: "stderr" writes the lines to standard error, any other value
// names a file they are appended to (UTF-8); unset, the lines are discarded,
// as a debugger output with no debugger attached does.
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
