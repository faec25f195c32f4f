#pragma once
// The settings one discovery run reads from its owner, taken once when the
// run starts. Defaults are those the program uses without an INI file.
#include <corvane/CorvaneTypes.h>

struct CDiscoverySettings {
  UINT uiTxPort = 15000;               // port the printers listen on
  UINT uiRxPort = 15001;               // port the answers come back to
  DWORD dwBroadcastType = 1;           // non-zero: 255.255.255.255, 0: subnet-directed
  DWORD dwMaxDiscoveryTry = 3;         // tries per phase
  DWORD dwMaxNoDataReadTry = 2;        // timed-out reads before the next try
  DWORD dwReciveThreadTimeout = 200;   // receive time-out, ms
  DWORD dwRxThreadIdleTimeout = 50;    // idle pause between steps, ms
};
