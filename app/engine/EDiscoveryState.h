#pragma once
// States of the discovery worker, by the codes kept in its state variable.
#include <corvane/CorvaneTypes.h>

enum EDiscoveryState : DWORD {
  TX_DEV_DISCOVERY = 10,         // count a try; broadcast the discovery request
  RX_DEV_IDLE = 16,              // pause, then listen for discovery answers
  RX_DEV_DISCOVERY = 160,        // receive one discovery answer
  RX_DEV_NOREAD = 64,            // count a discovery receive that timed out
  END_DEV_DISCOVERY = 0x100000,  // information phase or end
  TX_DEV_REQ_INFO = 11,          // count a try; broadcast the five information requests
  RX_DEV_INFO_IDLE = 80,         // pause, then listen for information answers
  RX_DEV_INFO = 96,              // receive one information answer
  RX_DEV_INFO_NOREAD = 112,      // count an information receive that timed out
  END_JOB = 0xF00000,            // hand the end of the run to the owner
};
