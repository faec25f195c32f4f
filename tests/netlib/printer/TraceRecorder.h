#pragma once
// Collects corvane's trace lines while it lives (and reports of unreadable
// registry values), restoring the previous sinks afterwards.
#include <corvane/DebugTrace.h>
#include <corvane/RegistryErrorReport.h>

#include <mutex>
#include <string>
#include <vector>

class TraceRecorder {
 public:
  TraceRecorder() {
    m_previous = corvane::SetDebugTraceSink([this](const std::wstring& line) {
      std::lock_guard lock(m_mutex);
      m_lines.push_back(line);
    });
    m_previousHook = corvane::SetRegistryErrorHook(
        [this](void*, const std::wstring&, const std::wstring& text) {
          std::lock_guard lock(m_mutex);
          m_reports.push_back(text);
        });
  }
  ~TraceRecorder() {
    corvane::SetDebugTraceSink(m_previous);
    corvane::SetRegistryErrorHook(m_previousHook);
  }
  std::vector<std::wstring> Lines() {
    std::lock_guard lock(m_mutex);
    return m_lines;
  }
  std::vector<std::wstring> Reports() {
    std::lock_guard lock(m_mutex);
    return m_reports;
  }
  // How many lines begin with the text.
  std::size_t Count(const std::wstring& start) {
    std::size_t n = 0;
    for (const std::wstring& line : Lines()) n += line.starts_with(start) ? 1 : 0;
    return n;
  }

 private:
  std::mutex m_mutex;
  std::vector<std::wstring> m_lines;
  std::vector<std::wstring> m_reports;
  corvane::TraceSink m_previous;
  corvane::RegistryErrorHook m_previousHook;
};
