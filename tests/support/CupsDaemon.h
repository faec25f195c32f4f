#pragma once
// A CUPS scheduler of the test's own: its configuration, spool, cache, state
// and log folders in a temporary directory, listening only on a Unix socket
// there, without browsing or sharing. Construction starts it and points
// CUPS_SERVER at its socket; queues are added with lpadmin. A daemon that
// refuses administration answers every request to add, change or remove a
// queue with "forbidden", as a system does for a user outside its printer
// administrators' group.
#include <memory>
#include <string>

#include "ChildRun.h"
#include "TempDir.h"

class CupsDaemon {
 public:
  explicit CupsDaemon(bool bRefuseAdministration = false);
  ~CupsDaemon();
  CupsDaemon(const CupsDaemon&) = delete;
  CupsDaemon& operator=(const CupsDaemon&) = delete;

  bool Running() const { return m_bRunning; }
  const std::string& Socket() const { return m_strSocket; }
  // Adds an enabled queue printing to the device URI; false when lpadmin fails.
  bool AddQueue(const std::string& strName, const std::string& strDeviceUri);
  // What the scheduler logged, for failure messages.
  std::string Log() const;

 private:
  TempDir m_dir;
  std::string m_strSocket;
  std::unique_ptr<ChildRun> m_pDaemon;
  bool m_bRunning = false;
};
