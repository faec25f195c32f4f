#include "DiscoverCommand.h"

#include "CConsoleDiscoveryOwner.h"
#include "CLumoraApp.h"
#include "CliExit.h"
#include "CliOptionHelp.h"
#include "CliSettings.h"
#include "CliText.h"
#include "DeviceReport.h"
#include "SignalWatcher.h"

#include <CLI/CLI.hpp>

#include <iostream>

std::string DiscoverCommand::Summary() const {
  return "Run one whole discovery: broadcast the discovery request, ask every printer that "
         "answers for its name, model, subnet mask, gateway and DHCP setting, then print the "
         "printers found, one per line in the order they were found, under a header line.";
}

void DiscoverCommand::AddOptions(CLI::App& sub) {
  CliOptionHelp::AddIni(sub, m_Options.iniPath);
  sub.add_flag("--json", m_Options.bJson,
               "Print the printers as one JSON array, one object per printer with the keys "
               "\"name\", \"model\", \"ip\", \"subnet_mask\", \"mac\", \"gateway\", \"dhcp\" "
               "(texts) and \"image\" (the list image number: 1 model known, 5 model unknown, "
               "0 not yet told).");
  sub.add_flag("--debug", m_Options.bDebug,
               "Write every debug-console line of the discovery, time-stamped "
               "\"[hh:mm:ss:mmm], \", to standard error.");
}

int DiscoverCommand::Run() {
  CLumoraApp app(CliSettings::LumoraExecutable());
  if (!CliSettings::LoadOrReport(m_Options.iniPath, app)) return CliExit::kUsage;
  app.OpenLogFile();
  CConsoleDiscoveryOwner owner(CliSettings::DiscoveryOf(app), app.m_LogFile,
                               m_Options.bDebug ? CliText::DebugLine
                                                : CConsoleDiscoveryOwner::LineSink());
  const SignalWatcher watcher([&owner] { owner.Stop(); });
  if (!owner.Run()) {
    std::cerr << "lumora-cli: the discovery could not start\n";
    return CliExit::kFailed;
  }
  std::cout << (m_Options.bJson ? DeviceReport::Json(owner.GetTable())
                                : DeviceReport::Text(owner.GetTable()))
            << std::flush;
  return watcher.Fired() && !owner.EndedNormally() ? CliExit::kInterrupted : CliExit::kOk;
}
