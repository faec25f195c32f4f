#pragma once
// Owner of a discovery without a window, for the command-line front end: it
// keeps the device table, hands debug-console lines, time-stamped, to a
// sink of the caller's choice, and lets the caller wait for the run's end.
#include "CDeviceTable.h"
#include "CDiscoverySettings.h"
#include "CDiscoveryWorker.h"
#include "IDiscoveryOwner.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class CConsoleDiscoveryOwner : public IDiscoveryOwner {
 public:
  using LineSink = std::function<void(const std::wstring&)>;

  // Without a sink debug-console lines are dropped; without a transport the
  // discovery goes over UDP.
  CConsoleDiscoveryOwner(const CDiscoverySettings& settings, CLogFileManager& logFile,
                         LineSink debugSink = nullptr,
                         std::unique_ptr<IDiscoveryTransport> pTransport = nullptr);

  // Runs one whole discovery and returns when it has ended; 0 when it could
  // not start.
  BOOL Run();
  // Asks a running discovery to end (from any thread, e.g. on a signal).
  void Stop() { m_Worker.RequestStop(); }
  const CDeviceTable& GetTable() const { return m_Table; }
  CDiscoveryReportData GetReport() const { return m_Worker.GetReport(); }
  // True when the run ended at its end of job rather than by Stop.
  bool EndedNormally() const { return m_bEndOfJob; }

  // The console line with its time stamp, "[hh:mm:ss:mmm], text", of now or
  // of the given moment.
  static std::wstring TimeStamped(const std::wstring& strLine);
  static std::wstring TimeStamped(const std::wstring& strLine,
                                  std::chrono::system_clock::time_point at);

  BOOL InsertDeviceRow(DWORD, const std::wstring&, const std::wstring&, const std::wstring&,
                       const std::wstring&, const std::wstring&) override {
    return 1;  // the table is printed when the run has ended
  }
  void UpdateDeviceRow(DWORD, DWORD, const std::wstring&, const std::wstring&,
                       const std::wstring&, const std::wstring&, const std::wstring&) override {}
  void WriteDebugConsole(const std::wstring& strLine) override;
  void ToggleLamp(Lamp) override {}
  void StepProgress() override {}
  void StopDiscovery() override;
  CDiscoverySettings GetDiscoverySettings() const override { return m_Settings; }
  CLogFileManager& GetLogFile() override { return m_LogFile; }

 private:
  CDiscoverySettings m_Settings;
  CLogFileManager& m_LogFile;
  LineSink m_DebugSink;
  std::mutex m_SinkMutex;
  std::atomic<bool> m_bEndOfJob{false};
  CDeviceTable m_Table{*this};
  CDiscoveryWorker m_Worker;  // last: its threads end before the rest goes
};
