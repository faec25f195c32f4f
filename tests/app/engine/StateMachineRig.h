#pragma once
#include "CDeviceTable.h"
#include "CDiscoveryStateMachine.h"
#include "FakeTransport.h"
#include "RecordingOwner.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

// One discovery run driven pass by pass on the test thread, over a fake
// transport and a recording owner, with every idle pause asked for recorded.
struct Rig {
  RecordingOwner m_Owner;
  CDeviceTable m_Table{m_Owner};
  FakeTransport m_Transport;
  std::atomic<DWORD> m_dwState{TX_DEV_DISCOVERY};
  std::vector<DWORD> m_Pauses;
  CDiscoveryStateMachine m_Machine{m_Owner, m_Table, m_Transport, m_dwState,
                                   [this](DWORD ms) { m_Pauses.push_back(ms); }};

  // Runs passes until the end-of-job pass has run; false when it never came.
  bool RunToEnd(int iMaxPasses = 100000) {
    m_Machine.Begin();
    for (int i = 0; i < iMaxPasses; ++i) {
      const DWORD dwState = m_dwState.load();
      m_Machine.Pass();
      if (dwState == END_JOB) {
        m_Machine.End();
        return true;
      }
    }
    return false;
  }
  bool Logged(const std::wstring& strLine) const {
    const auto lines = m_Owner.LogLines();
    return std::find(lines.begin(), lines.end(), strLine) != lines.end();
  }
};
