#include <corvane/DebugTrace.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>

#include "codec/WireText.h"

namespace corvane {
namespace {

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Without a sink installed by the program, CORVANE_TRACE decides where the
// lines go: "stderr", or a file they are appended to; unset, nowhere (as
// debugger output with no debugger attached).
TraceSink EnvironmentSink() {
  const char* target = std::getenv("CORVANE_TRACE");
  if (target == nullptr || *target == '\0') return {};
  if (std::string(target) == "stderr") {
    return [](const std::wstring& line) { std::fputs(detail::ToUtf8(line).c_str(), stderr); };
  }
  std::shared_ptr<std::FILE> file(std::fopen(target, "ae"), FileCloser());
  if (!file) return {};
  return [file](const std::wstring& line) {
    std::fputs(detail::ToUtf8(line).c_str(), file.get());
    std::fflush(file.get());
  };
}

std::mutex& sinkMutex() {
  static std::mutex m;
  return m;
}

TraceSink& currentSink() {
  static TraceSink sink = EnvironmentSink();
  return sink;
}

}  // namespace

TraceSink SetDebugTraceSink(TraceSink sink) {
  std::lock_guard lock(sinkMutex());
  std::swap(currentSink(), sink);
  return sink;
}

void OutputDebugTrace(const std::wstring& line) {
  std::lock_guard lock(sinkMutex());
  if (currentSink()) currentSink()(line);
}

}  // namespace corvane
