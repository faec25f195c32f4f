#include "CConsoleDiscoveryOwner.h"

#include <chrono>
#include <ctime>
#include <cwchar>

CConsoleDiscoveryOwner::CConsoleDiscoveryOwner(const CDiscoverySettings& settings,
                                               CLogFileManager& logFile, LineSink debugSink,
                                               std::unique_ptr<IDiscoveryTransport> pTransport)
    : m_Settings(settings),
      m_LogFile(logFile),
      m_DebugSink(std::move(debugSink)),
      m_Worker(*this, m_Table, std::move(pTransport)) {}

BOOL CConsoleDiscoveryOwner::Run() {
  m_bEndOfJob = false;
  if (!m_Worker.Start()) return 0;
  while (!m_Worker.WaitForEnd(std::chrono::hours(1))) {
  }
  return 1;
}

void CConsoleDiscoveryOwner::WriteDebugConsole(const std::wstring& strLine) {
  if (!m_DebugSink) return;
  const std::wstring strStamped = TimeStamped(strLine);
  std::lock_guard lock(m_SinkMutex);
  m_DebugSink(strStamped);
}

// Runs on the worker thread at the end of the job; nothing here touches
// anything but thread-safe events and a flag the caller reads after the run.
void CConsoleDiscoveryOwner::StopDiscovery() {
  m_bEndOfJob = true;
  m_Worker.RequestStop();
}

std::wstring CConsoleDiscoveryOwner::TimeStamped(const std::wstring& strLine) {
  return TimeStamped(strLine, std::chrono::system_clock::now());
}

std::wstring CConsoleDiscoveryOwner::TimeStamped(const std::wstring& strLine,
                                                 std::chrono::system_clock::time_point at) {
  const std::time_t t = std::chrono::system_clock::to_time_t(at);
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(at.time_since_epoch()).count() % 1000;
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) local = std::tm{};
  wchar_t szStamp[32];
  std::swprintf(szStamp, 32, L"[%02d:%02d:%02d:%03d], ", local.tm_hour, local.tm_min,
                local.tm_sec, static_cast<int>(ms));
  return szStamp + strLine;
}
