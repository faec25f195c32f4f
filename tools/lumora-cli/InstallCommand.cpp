#include "InstallCommand.h"

#include "CLumoraApp.h"
#include "CPrinterInstaller.h"
#include "CQueueName.h"
#include "CliExit.h"
#include "CliOptionHelp.h"
#include "CliSettings.h"
#include "PrinterFinder.h"

#include <CLI/CLI.hpp>
#include <corvane/CRegStore.h>

#include <unistd.h>

#include <iostream>

namespace {

std::string CheckQueue(const std::string& strValue) {
  return CQueueName::IsValid(strValue)
             ? std::string()
             : "'" + strValue + "' is no queue name: letters, digits, '-' and '_', at most 127";
}

// The same rule the installer applies, checked before anything is asked.
std::string CheckUri(const std::string& strValue) {
  std::string strError;
  CPrinterInstaller::DeviceUri(strValue, L"0.0.0.0", strError);
  return strError;
}

}  // namespace

std::string InstallCommand::Summary() const {
  return "Install a printer: find it (by unicast at --ip, or by a discovery for --mac), add a "
         "CUPS queue printing to it, and write the printer link's protocol (EthPrt) for the "
         "queue to the registry store, so that printing and lumora-cli status reach it. Needs "
         "the rights of a printer administrator (the lpadmin group, or sudo).";
}

void InstallCommand::AddOptions(CLI::App& sub) {
  CliOptionHelp::AddAddress(sub, "--ip", m_strIp,
                            "The printer's IP address; it is asked by unicast.", false);
  auto* mac = CliOptionHelp::AddMac(sub, m_strMac,
                                    "The printer's MAC address as discover shows it; a "
                                    "discovery with the INI file's settings finds its address.");
  sub.get_option("--ip")->excludes(mac);
  sub.add_option("--queue", m_Request.strQueue,
                 "The queue's name (letters, digits, '-', '_'). Default: the printer's name, "
                 "with _2, _3, ... when a queue of that name exists.")
      ->type_name("NAME")
      ->check(CLI::Validator(CheckQueue, "", "NAME"));
  sub.add_option("--uri", m_Request.strUri,
                 "The queue's device URI: socket (default, socket://ADDRESS:9100), lpd "
                 "(lpd://ADDRESS/queue), ipp (ipp://ADDRESS/ipp/print), or a URI of your own.")
      ->type_name("URI")
      ->check(CLI::Validator(CheckUri, "", "URI"));
  sub.add_option("--protocol", m_strProtocol,
                 "How the printer link talks to the printer: udp (default) or tcp (to the "
                 "device URI's port).")
      ->type_name("udp|tcp")
      ->check(CLI::IsMember({"udp", "tcp"}));
  sub.add_flag("--replace", m_Request.bReplace,
               "Replace a queue of the same name (its settings are overwritten).");
  sub.add_flag("--system", m_Request.bSystem,
               "Write the protocol to the system's registry store (/etc/corvane/registry.reg, "
               "for every user; needs root) instead of the user's "
               "($XDG_CONFIG_HOME/corvane/registry.reg). CORVANE_REGISTRY, when set, wins.");
  CliOptionHelp::AddIni(sub, m_iniPath);
  sub.parse_complete_callback([this] {
    if (m_strIp.empty() && m_strMac.empty())
      throw CLI::ValidationError("install", "needs --ip ADDRESS or --mac MAC");
  });
}

int InstallCommand::Run() {
  CLumoraApp app(CliSettings::LumoraExecutable());
  if (!CliSettings::LoadOrReport(m_iniPath, app)) return CliExit::kUsage;
  app.OpenLogFile();
  const PrinterFinder::Outcome found =
      PrinterFinder::Find(CliSettings::DiscoveryOf(app), app.m_LogFile, m_strIp, m_strMac);
  if (!found.bStarted) {
    std::cerr << "lumora-cli: the discovery could not start\n";
    return CliExit::kFailed;
  }
  if (!found.device) {
    if (found.bInterrupted) return CliExit::kInterrupted;
    std::cerr << "lumora-cli: no printer answered "
              << (m_strIp.empty() ? "with the MAC address " + m_strMac : "at " + m_strIp)
              << " (lumora-cli discover lists the printers that answer)\n";
    return CliExit::kFailed;
  }
  CPrinterInstaller::Request request = m_Request;
  request.strAddress = found.device->strIpAddress;
  request.strName = found.device->strName;
  request.strModel = found.device->strModel;
  request.dwProtocol = m_strProtocol == "tcp" ? CPrinterInstaller::kTcp : CPrinterInstaller::kUdp;
  const CPrinterInstaller::Result result = CPrinterInstaller::Install(request);
  if (result.code != CPrinterInstaller::Code::kDone) {
    std::cerr << "lumora-cli: " << result.strMessage << "\n";
    return CliExit::kFailed;
  }
  std::cout << result.strMessage << "\n";
  // Written to the user's store: neither CORVANE_REGISTRY nor --system chose the file.
  if (::geteuid() == 0 && !request.bSystem &&
      CRegStore::WritePath(false) != CRegStore::WritePath(true))
    std::cerr << "lumora-cli: note: the protocol went to root's own registry store; other "
                 "users' programs find it only when it is installed with --system\n";
  return CliExit::kOk;
}
