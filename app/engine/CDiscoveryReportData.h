#pragma once
// What a discovery run saw, per interface it used, for telling an operator
// why a printer was not found: plain data, copied out of the run when it
// has ended (CDiscoveryReport collects it), rendered by whoever shows it.
#include <corvane/CorvaneTypes.h>

#include <string>
#include <vector>

struct CDiscoveryReportData {
  // A printer that answered from an address outside the subnet of the
  // interface its answer came in on: a wrong or factory address, a
  // candidate for configuration.
  struct Outsider {
    std::wstring strAddress;
    std::wstring strMac;   // empty until its discovery answer came
    std::wstring strName;  // empty until its name answer came
  };

  enum class Verdict {
    kPrintersFound,  // answers came, all from inside the subnet
    kOutsiders,      // some printers answered from outside the subnet
    kNoAnswer,       // requests went out, nothing came back
    kNotAsked,       // no broadcast left through it (answers to unicast only)
  };

  struct Interface {
    std::wstring strName;       // "eth0"; empty when the system did not say
    DWORD dwIndex = 0;
    std::wstring strAddress;    // the interface's address requests left from
    std::wstring strMask;
    std::wstring strBroadcast;  // where broadcasts went; empty when none did
    DWORD dwRequestsSent = 0;   // broadcast requests sent through it
    DWORD dwAnswers = 0;        // answers that came in on it
    DWORD dwPrintersFound = 0;  // distinct addresses that sent a MAC answer
    std::vector<Outsider> outsiders;
    Verdict verdict = Verdict::kNotAsked;
  };

  std::vector<Interface> interfaces;
  UINT uiTxPort = 15000;
  UINT uiRxPort = 15001;
  // Unicast discovery: addresses asked, requests sent, addresses that gave
  // their MAC address.
  DWORD dwUnicastAddresses = 0;
  DWORD dwUnicastRequests = 0;
  DWORD dwUnicastAnswered = 0;
  // Datagrams the kernel dropped at the receiving socket during the run
  // (its buffer was full); bDropsKnown is 0 where the system does not tell.
  BOOL bDropsKnown = 0;
  DWORD dwKernelDrops = 0;
  // Incomplete records at the start of each fill-in round, then after the
  // last one; empty when the pass did not run.
  std::vector<DWORD> fillInIncomplete;
  DWORD dwFillInMilliseconds = 0;  // how long the pass took
  // Why the chosen interfaces or hosts could not all be used.
  std::vector<std::wstring> problems;
};
