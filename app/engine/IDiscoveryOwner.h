#pragma once
// What the device table, the send routine and the discovery worker need from
// the object that owns them: the main window, the console front end, or a
// test fake. Everything except the two row operations may be called from the
// worker thread; an owner with a user interface carries the effects over to
// its own thread as it sees fit.
#include "CDiscoverySettings.h"

#include <corvane/CorvaneTypes.h>

#include <functional>
#include <string>

class CLogFileManager;

class IDiscoveryOwner {
 public:
  enum Lamp : DWORD { kLoopLamp = 0, kReceiveLamp = 1 };

  virtual ~IDiscoveryOwner() = default;

  // Device list rows: record i of the table is row i + 1 (row 0 is the
  // owner's placeholder). Insertion's result is the add operations' result.
  virtual BOOL InsertDeviceRow(DWORD dwImage, const std::wstring& strName,
                               const std::wstring& strModel, const std::wstring& strIpAddress,
                               const std::wstring& strSubnetMask,
                               const std::wstring& strMacAddress) = 0;
  virtual void UpdateDeviceRow(DWORD dwRow, DWORD dwImage, const std::wstring& strName,
                               const std::wstring& strModel, const std::wstring& strIpAddress,
                               const std::wstring& strSubnetMask,
                               const std::wstring& strMacAddress) = 0;

  // One line for the debug console; dropped when the owner has none.
  virtual void WriteDebugConsole(const std::wstring& strLine) = 0;
  // Flips an activity lamp.
  virtual void ToggleLamp(Lamp lamp) = 0;
  // Advances the progress indicator by one step (it wraps at its end).
  virtual void StepProgress() = 0;
  // Ends the run: must set the stop events of both worker threads
  // (CDiscoveryWorker::RequestStop) and return the owner to idle.
  virtual void StopDiscovery() = 0;

  // Runs one operation of the worker on the device table. Filing an answer
  // (bWait false) needs nothing back; a read (bWait true) returns once the
  // operation has run. An owner whose table is also used by another thread
  // runs them all there, in the order given; by default they run in place.
  // An operation that is not waited for owns what it uses.
  virtual void RunTableOperation(std::function<void()> operation, bool bWait) {
    (void)bWait;
    operation();
  }

  virtual CDiscoverySettings GetDiscoverySettings() const = 0;
  virtual CLogFileManager& GetLogFile() = 0;
};
