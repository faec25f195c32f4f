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
  // Beyond the single broadcast: printers asked by unicast (after the
  // discovery phase), the fill-in rounds (before END_JOB), and the paced
  // exchange both run on.
  TX_DEV_UNICAST = 0x200000,     // queue the unicast discovery, then information requests
  TX_DEV_FILL_IN = 0x300000,     // one fill-in round: ask for what records lack
  RX_DEV_PACED = 0x400000,       // send what the window allows, receive answers
};
