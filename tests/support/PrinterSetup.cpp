#include "PrinterSetup.h"

#include <cstdlib>
#include <fstream>

PrinterSetup::PrinterSetup(bool bRefuseAdministration) : m_cups(bRefuseAdministration) {
  std::filesystem::create_directories(LockDir());
  Write();
  setenv("CORVANE_REGISTRY", RegistryPath().c_str(), 1);
  setenv("CORVANE_LOCK_DIR", LockDir().c_str(), 1);
}

PrinterSetup::~PrinterSetup() {
  unsetenv("CORVANE_REGISTRY");
  unsetenv("CORVANE_LOCK_DIR");
}

bool PrinterSetup::AddPrinter(const std::string& strName, const std::string& strUri, int iEthPrt) {
  if (iEthPrt >= 0) {
    char value[16];
    std::snprintf(value, sizeof value, "%08x", static_cast<unsigned>(iEthPrt));
    AddRegistryText("[HKEY_LOCAL_MACHINE\\SOFTWARE\\ZQ\\Tolvan\\" + strName + "]\n\"EthPrt\"=dword:" +
                    value + "\n");
  }
  return m_cups.AddQueue(strName, strUri);
}

void PrinterSetup::AddRegistryText(const std::string& strText) {
  m_strRegistry += "\n" + strText;
  Write();
}

std::string PrinterSetup::PortKey(const std::string& strPort) {
  return "[HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Print\\Monitors\\Standard "
         "TCP/IP Port\\Ports\\" + strPort + "]\n";
}

void PrinterSetup::Write() const {
  std::ofstream(RegistryPath()) << "Windows Registry Editor Version 5.00\r\n" << m_strRegistry;
}
