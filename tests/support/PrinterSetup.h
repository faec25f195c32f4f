#pragma once
// Printers as the printer link finds them: queues in a CUPS scheduler of the
// test's own, and a registry store file with their protocol and port keys.
// Points CORVANE_REGISTRY and CORVANE_LOCK_DIR into its temporary directory
// (child processes inherit both) and restores them when it goes.
#include <string>

#include "CupsDaemon.h"
#include "TempDir.h"

class PrinterSetup {
 public:
  explicit PrinterSetup(bool bRefuseAdministration = false);
  ~PrinterSetup();
  PrinterSetup(const PrinterSetup&) = delete;
  PrinterSetup& operator=(const PrinterSetup&) = delete;

  bool Ready() const { return m_cups.Running(); }
  // A queue printing to the URI and, with iEthPrt >= 0, its protocol key
  // ("EthPrt" = iEthPrt: 0 UDP, 1 TCP).
  bool AddPrinter(const std::string& strName, const std::string& strUri, int iEthPrt);
  // More text for the store (sections and values in the export format).
  void AddRegistryText(const std::string& strText);
  // The port key of a port name, ready for values to follow.
  static std::string PortKey(const std::string& strPort);
  std::string RegistryPath() const { return (m_dir.path() / "registry.reg").string(); }
  std::string LockDir() const { return (m_dir.path() / "locks").string(); }
  const CupsDaemon& Cups() const { return m_cups; }

 private:
  void Write() const;

  TempDir m_dir;
  CupsDaemon m_cups;
  std::string m_strRegistry;
};
