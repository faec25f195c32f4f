#pragma once
// What a discovery run does beyond the single broadcast: broadcasts out of
// chosen interfaces, printers asked by unicast (behind a router), the fill-in
// rounds that ask each printer again for what its lost answers did not tell,
// and the report of it all. The state machine hands it its sends, its new
// states and every answer; the run's states, texts and log lines for the
// single broadcast stay as they are.
#include "CAnswerLedger.h"
#include "CDiscoveryReport.h"
#include "CDiscoverySettings.h"
#include "CInterfaceChoice.h"
#include "CPacedExchange.h"

#include <corvane/CorvaneTypes.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class CDeviceTable;
class CMessageSender;
class IDiscoveryOwner;
class IDiscoveryTransport;

class CDiscoveryReach {
 public:
  CDiscoveryReach(IDiscoveryOwner& owner, CDeviceTable& table, IDiscoveryTransport& transport,
                  CMessageSender& sender, std::atomic<DWORD>& dwState);

  // Start of a run: interfaces chosen, hosts parsed (problems logged), a
  // fresh report. The receiving endpoint is open.
  void Begin(const CDiscoverySettings& settings);
  // End of a run, before the receiving endpoint closes: the kernel's drops.
  void End();

  // Whether broadcasts go out at all (not with unicast alone).
  bool Broadcasting() const { return m_Settings.btBroadcast != 0; }
  // One broadcast request: the single broadcast, or one per chosen interface.
  void Broadcast(const std::wstring& strMessage);
  // Where the run goes when the discovery phase is over: the unicast
  // discovery while hosts wait for it, else END_DEV_DISCOVERY.
  DWORD AfterDiscoveryPhase() const;
  // Where it goes when the information phase is over: the fill-in pass, or
  // END_JOB when it is off.
  DWORD AfterInfoPhase() const;

  // The new states' work.
  void OnTxUnicast();
  void OnTxFillIn();
  void OnRxPaced();

  // Every datagram received, with its text and sender (for the report).
  void NoteReceived(const std::wstring& strAnswer, const std::wstring& strSender);
  // An answer filed into the table: the printer has told that field.
  void NoteFiled(const std::wstring& strAnswer, const std::wstring& strSender);

  CDiscoveryReportData GetReport() const { return m_Report.Snapshot(); }

 private:
  using Request = CPacedExchange::Request;

  void BroadcastThrough(const CCNetInterfaces::Entry& route, const std::wstring& strMessage);
  void StartPaced(const std::vector<Request>& requests, DWORD dwAfter);
  void SendPaced(const Request& request);
  void ReceivePaced(DWORD dwWait);
  void FilePaced(const std::wstring& strAnswer, const std::wstring& strSender);
  // Requests for what the table's records lack; the number of such records.
  DWORD CollectMissing(std::vector<Request>& requests) const;
  DWORD RequestTimeout() const;
  void ConsoleAndLog(const std::wstring& strText);
  void Log(const std::wstring& strText);
  void Console(const std::wstring& strText);

  IDiscoveryOwner& m_Owner;
  CDeviceTable& m_Table;
  IDiscoveryTransport& m_Transport;
  CMessageSender& m_Sender;
  std::atomic<DWORD>& m_dwState;

  CDiscoverySettings m_Settings;
  bool m_bChosenInterfaces = false;
  std::vector<CCNetInterfaces::Entry> m_Routes;  // the chosen interfaces' ways out
  std::vector<DWORD> m_Hosts;                    // asked by unicast
  int m_iUnicastStep = 0;   // 0 not begun, 1 discovery asked, 2 information asked, 3 done
  DWORD m_dwFillInRound = 0;
  CPacedExchange::Clock::time_point m_FillInStart;
  std::unique_ptr<CPacedExchange> m_pPaced;
  DWORD m_dwAfterPaced = 0;
  DWORD m_dwPacedSent = 0;
  DWORD m_dwPacedUnanswered = 0;
  CAnswerLedger m_Ledger;
  CDiscoveryReport m_Report;
};
