#pragma once
// The work of one discovery run, one state per pass: broadcast the discovery
// request and collect MAC answers, then ask every printer for its name,
// model, subnet mask, gateway and DHCP setting and file the answers. The
// thread, its events and the pauses' clock belong to the caller
// (CDiscoveryWorker), so that the passes can be driven directly in tests.
#include "CDiscoveryProtocol.h"
#include "CDiscoveryReach.h"
#include "CDiscoverySettings.h"
#include "CMessageSender.h"
#include "EDiscoveryState.h"

#include <corvane/CorvaneTypes.h>

#include <array>
#include <atomic>
#include <functional>
#include <string>

class CDeviceTable;
class IDiscoveryOwner;
class IDiscoveryTransport;

class CDiscoveryStateMachine {
 public:
  // Waits the idle pause (ms); may return early when the run is asked to stop.
  using IdleWait = std::function<void(DWORD dwMilliseconds)>;

  CDiscoveryStateMachine(IDiscoveryOwner& owner, CDeviceTable& table,
                         IDiscoveryTransport& transport, std::atomic<DWORD>& dwState,
                         IdleWait idleWait);

  // Start of a run: settings from the owner, receiving endpoint, counters 0.
  void Begin();
  // The work of the current state.
  void Pass();
  // End of a run: closes the receiving endpoint.
  void End();

  DWORD GetTryCounter() const { return m_dwTryCounter; }
  DWORD GetNoDataCounter() const { return m_dwNoDataCounter; }
  // What the run saw per interface, for telling why a printer was not found.
  CDiscoveryReportData GetReport() const { return m_Reach.GetReport(); }

 private:
  // What one receive brought.
  enum class Reception { kEmpty, kNothing, kDatagram };

  void OnTxDiscovery();
  void OnRxIdle();
  void OnRxDiscovery();
  void OnRxNoRead();
  void OnEndDiscovery();
  void OnTxRequestInfo();
  void OnRxInfoIdle();
  void OnRxInfo();
  void OnRxInfoNoRead();
  void OnEndJob();

  Reception ReceiveAnswer(std::wstring& strAnswer, std::wstring& strSender);
  void FileDiscoveryAnswer(const std::wstring& strAnswer, const std::wstring& strSender);
  void FileInfoAnswer(const std::wstring& strAnswer, const std::wstring& strSender);
  using FieldUpdate = BOOL (CDeviceTable::*)(const std::wstring&, const std::wstring&);
  // Files one answered field into the table, through the owner.
  void FileField(FieldUpdate update, const std::wstring& strValue, const std::wstring& strSender);
  void ConsoleAndLog(const std::wstring& strText);
  void Log(const std::wstring& strText);
  void Console(const std::wstring& strText);
  void SetState(DWORD dwState) { m_dwState.store(dwState); }

  IDiscoveryOwner& m_Owner;
  CDeviceTable& m_Table;
  IDiscoveryTransport& m_Transport;
  CMessageSender m_Sender;
  std::atomic<DWORD>& m_dwState;
  IdleWait m_IdleWait;
  CDiscoveryReach m_Reach;

  CDiscoverySettings m_Settings;
  DWORD m_dwTryCounter = 0;
  DWORD m_dwNoDataCounter = 0;
  std::array<BYTE, CDiscoveryProtocol::kAnswerBufferSize> m_Buffer{};
};
