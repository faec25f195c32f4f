#include <corvane/DebugTrace.h>

#include <mutex>

namespace corvane {
namespace {

std::mutex& sinkMutex() {
  static std::mutex m;
  return m;
}

TraceSink& currentSink() {
  static TraceSink sink;
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
