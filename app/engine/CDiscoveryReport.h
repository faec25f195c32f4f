#pragma once
// Collects a run's report while it goes: requests sent per interface,
// answers by the interface they came in on, printers found, printers that
// answered from outside their interface's subnet, kernel drops, fill-in
// rounds. Written by the worker thread, read by anyone through Snapshot.
#include "CDiscoveryReportData.h"

#include <corvane/CCNetInterfaces.h>

#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

class CDiscoveryReport {
 public:
  using Entry = CCNetInterfaces::Entry;
  enum class AnswerKind { kMac, kName, kOther };

  // A fresh report: the machine's interfaces (to name the one an answer
  // came in on) and the addresses asked by unicast (whose answers from afar
  // are expected).
  void Begin(std::vector<Entry> machine, const std::vector<DWORD>& unicastTargets,
             UINT uiTxPort, UINT uiRxPort);
  void AddProblem(const std::wstring& strProblem);

  // A broadcast request that left through the interface with this address
  // (to strBroadcast).
  void BroadcastSent(const std::wstring& strLocalAddress, const std::wstring& strBroadcast);
  void UnicastSent() { Locked([&] { ++m_Data.dwUnicastRequests; }); }
  // An answer from dwSender (first octet most significant) that came in on
  // the interface with this index (0: not known); strValue is its MAC
  // address or name.
  void AnswerReceived(DWORD dwSender, DWORD dwArrival, AnswerKind kind,
                      const std::wstring& strValue);
  void FillInRound(DWORD dwIncomplete) { Locked([&] { m_Data.fillInIncomplete.push_back(dwIncomplete); }); }
  void FillInTime(DWORD dwMilliseconds) { Locked([&] { m_Data.dwFillInMilliseconds = dwMilliseconds; }); }
  void KernelDrops(BOOL bKnown, DWORD dwDrops);

  // The report so far, with each interface's verdict.
  CDiscoveryReportData Snapshot() const;

 private:
  struct Block {
    CDiscoveryReportData::Interface data;
    std::vector<Entry> subnets;  // the interface's addresses
    std::unordered_set<DWORD> printers;
  };

  template <typename F>
  void Locked(F f) {
    std::lock_guard lock(m_Mutex);
    f();
  }
  Block& BlockFor(const Entry& entry);
  // The block an answer from dwSender that came in on dwArrival belongs to.
  Block* ArrivalBlock(DWORD dwSender, DWORD dwArrival);
  static CDiscoveryReportData::Verdict VerdictOf(const CDiscoveryReportData::Interface& i);

  mutable std::mutex m_Mutex;
  std::vector<Entry> m_Machine;
  std::unordered_set<DWORD> m_Unicast;
  std::unordered_set<DWORD> m_UnicastAnswered;
  std::vector<Block> m_Blocks;
  CDiscoveryReportData m_Data;
};
