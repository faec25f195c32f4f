#include "CupsDaemon.h"

#include <cups/cups.h>

#include <cstdlib>
#include <fstream>

using namespace std::chrono_literals;

namespace {

void Write(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path) << text;
}

}  // namespace

CupsDaemon::CupsDaemon(bool bRefuseAdministration) {
  const std::filesystem::path dir = m_dir.path();
  for (const char* sub : {"root", "spool/tmp", "cache", "state", "log"})
    std::filesystem::create_directories(dir / sub);
  m_strSocket = (dir / "cups.sock").string();
  Write(dir / "cupsd.conf",
        "Listen " + m_strSocket +
            "\nBrowsing Off\nBrowseLocalProtocols none\nDefaultShared No\nWebInterface No\n"
            "LogLevel info\n<Policy default>\n" +
            (bRefuseAdministration
                 ? "<Limit CUPS-Add-Modify-Printer CUPS-Delete-Printer>\nAuthType Default\n"
                   "Require user @SYSTEM\n</Limit>\n"
                 : "") +
            "<Limit All>\nOrder deny,allow\n</Limit>\n"
            "</Policy>\n<Location />\nOrder deny,allow\n</Location>\n");
  const std::string d = dir.string();
  Write(dir / "cups-files.conf",
        "ServerRoot " + d + "/root\nRequestRoot " + d + "/spool\nTempDir " + d +
            "/spool/tmp\nCacheDir " + d + "/cache\nStateDir " + d + "/state\nAccessLog " + d +
            "/log/access_log\nErrorLog stderr\nPageLog " + d + "/log/page_log\nPrintcap " + d +
            "/printcap\nFileDevice No\nSandboxing Relaxed\n" +
            // A group without members: nobody, root included, administers.
            (bRefuseAdministration ? "SystemGroup nogroup\n" : ""));
  m_pDaemon = std::make_unique<ChildRun>(std::vector<std::string>{
      "/usr/sbin/cupsd", "-f", "-c", d + "/cupsd.conf", "-s", d + "/cups-files.conf"});
  // Logged once the socket listens.
  m_bRunning = m_pDaemon->Started() && m_pDaemon->WaitForOutput("Listening to", 20s);
  setenv("CUPS_SERVER", m_strSocket.c_str(), 1);
  cupsSetServer(nullptr);  // the calling thread reads CUPS_SERVER again
}

CupsDaemon::~CupsDaemon() {
  m_pDaemon.reset();
  unsetenv("CUPS_SERVER");
  cupsSetServer(nullptr);
}

bool CupsDaemon::AddQueue(const std::string& strName, const std::string& strDeviceUri) {
  ChildRun lpadmin({"lpadmin", "-h", m_strSocket, "-p", strName, "-E", "-v", strDeviceUri});
  return lpadmin.Wait(20s) == 0;
}

std::string CupsDaemon::Log() const { return m_pDaemon ? m_pDaemon->Err() : std::string(); }
