#pragma once
// An owner for the discovery engine that records everything the engine asks
// of it, with a log file of its own.
#include "CDiscoverySettings.h"
#include "CLogFileManager.h"
#include "EnginePlatform.h"
#include "IDiscoveryOwner.h"
#include "TempDir.h"

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

// One row inserted or refreshed, with what the tests look at.
struct RowCall {
  bool bInsert = false;
  DWORD dwRow = 0;  // refreshes only
  DWORD dwImage = 0;
  std::wstring strMac;
};

class RecordingOwner : public IDiscoveryOwner {
  mutable std::mutex m_Mutex;
  mutable std::condition_variable m_ChangedCv;
  template <typename F>
  auto Locked(F f) const {
    std::lock_guard lock(m_Mutex);
    return f();
  }

 public:
  RecordingOwner() { m_Log.Open(EnginePlatform::PathToWide(m_Dir.path()), L"test.log", 1); }

  // Name, model, address and mask are not recorded: the table's records hold them.
  BOOL InsertDeviceRow(DWORD dwImage, const std::wstring&, const std::wstring&, const std::wstring&,
                       const std::wstring&, const std::wstring& strMac) override {
    Locked([&] { m_Rows.push_back({true, 0, dwImage, strMac}); });
    return 1;
  }
  void UpdateDeviceRow(DWORD dwRow, DWORD dwImage, const std::wstring&, const std::wstring&,
                       const std::wstring&, const std::wstring&, const std::wstring& strMac) override {
    Locked([&] { m_Rows.push_back({false, dwRow, dwImage, strMac}); });
  }
  void WriteDebugConsole(const std::wstring& strLine) override {
    Locked([&] { m_Console.push_back(strLine); });
    m_ChangedCv.notify_all();
  }
  void ToggleLamp(Lamp lamp) override {
    Locked([&] { ++m_Toggles[lamp == kLoopLamp ? 0 : 1]; });
    m_ChangedCv.notify_all();
  }
  void StepProgress() override { Locked([&] { ++m_dwProgressSteps; }); }
  void StopDiscovery() override {
    Locked([&] { ++m_dwStopCalls; });
    if (m_OnStop) m_OnStop();
  }
  // With m_bDeferFiling, operations not waited for are kept until the next
  // one that is (or RunDeferred), as an owner that queues them would do.
  void RunTableOperation(std::function<void()> operation, bool bWait) override {
    if (!m_bDeferFiling) return operation();
    if (!bWait) return m_Deferred.push_back(std::move(operation));
    RunDeferred();
    operation();
  }
  void RunDeferred() {
    for (auto& operation : m_Deferred) operation();
    m_Deferred.clear();
  }
  CDiscoverySettings GetDiscoverySettings() const override { return m_Settings; }
  CLogFileManager& GetLogFile() override { return m_Log; }

  // Copies taken under the lock, for tests that read while a worker writes.
  std::vector<std::wstring> Console() const { return Locked([&] { return m_Console; }); }
  bool WaitForConsole(const std::wstring& strLine, std::chrono::milliseconds limit) const {
    std::unique_lock lock(m_Mutex);
    return m_ChangedCv.wait_for(lock, limit, [&] {
      return std::find(m_Console.begin(), m_Console.end(), strLine) != m_Console.end();
    });
  }
  std::vector<RowCall> Rows() const { return Locked([&] { return m_Rows; }); }
  DWORD Toggles(int iLamp) const { return Locked([&] { return m_Toggles[iLamp]; }); }
  bool WaitForToggles(int iLamp, DWORD dwCount, std::chrono::milliseconds limit) const {
    std::unique_lock lock(m_Mutex);
    return m_ChangedCv.wait_for(lock, limit, [&] { return m_Toggles[iLamp] >= dwCount; });
  }
  DWORD ProgressSteps() const { return Locked([&] { return m_dwProgressSteps; }); }
  DWORD StopCalls() const { return Locked([&] { return m_dwStopCalls; }); }
  size_t ConsoleCount(const std::wstring& strLine) const {
    const auto lines = Console();
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), strLine));
  }
  // The log file's lines without their time prefix, one character per byte.
  std::vector<std::wstring> LogLines() const {
    std::vector<std::wstring> lines;
    std::ifstream in(m_Dir.path() / "test.log", std::ios::binary);
    for (std::string line; std::getline(in, line);) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const std::string::size_type pos = line.find(" <--  ");
      const std::string text = line.substr(pos == std::string::npos ? 0 : pos + 6);
      lines.emplace_back(text.begin(), text.end());
    }
    return lines;
  }

  CDiscoverySettings m_Settings;
  bool m_bDeferFiling = false;
  std::vector<std::function<void()>> m_Deferred;
  std::function<void()> m_OnStop;

 private:
  TempDir m_Dir;
  CLogFileManager m_Log;
  std::vector<RowCall> m_Rows;
  std::vector<std::wstring> m_Console;
  DWORD m_Toggles[2] = {0, 0};
  DWORD m_dwProgressSteps = 0;
  DWORD m_dwStopCalls = 0;
};
