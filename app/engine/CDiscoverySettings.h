#pragma once
// The settings one discovery run reads from its owner, taken once when the
// run starts. Defaults are those the program uses without an INI file.
#include <corvane/CorvaneTypes.h>

#include <string>

struct CDiscoverySettings {
  UINT uiTxPort = 15000;               // port the printers listen on
  UINT uiRxPort = 15001;               // port the answers come back to
  DWORD dwBroadcastType = 1;           // non-zero: 255.255.255.255, 0: subnet-directed
  DWORD dwMaxDiscoveryTry = 3;         // tries per phase
  DWORD dwMaxNoDataReadTry = 2;        // timed-out reads before the next try
  DWORD dwReciveThreadTimeout = 200;   // receive time-out, ms
  DWORD dwRxThreadIdleTimeout = 50;    // idle pause between steps, ms

  // Beyond the single broadcast: which interfaces broadcasts leave through
  // ("" the one above, "all", or names, comma-separated), printers asked by
  // unicast (addresses, CIDR blocks, ranges, comma-separated), whether to
  // broadcast at all, and the fill-in rounds that ask each printer again
  // for what it has not told (0: none).
  std::wstring strInterfaces;
  std::wstring strHosts;
  DWORD btBroadcast = 1;
  DWORD dwMaxFillInTry = 2;
};
