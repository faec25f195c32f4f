#include "DiscoverCommand.h"

#include "CConsoleDiscoveryOwner.h"
#include "CLumoraApp.h"
#include "CliExit.h"
#include "CliOptionHelp.h"
#include "CliSettings.h"
#include "CliText.h"
#include "CHostList.h"
#include "CInterfaceChoice.h"
#include "DeviceReport.h"
#include "DiscoveryReportText.h"
#include "EnginePlatform.h"
#include "NetworkReport.h"
#include "ProcessUsage.h"
#include "SignalWatcher.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <iostream>

namespace {

std::wstring JoinWide(const std::vector<std::string>& items) {
  std::string joined;
  for (const std::string& item : items) joined += (joined.empty() ? "" : ",") + item;
  return EnginePlatform::Utf8ToWide(joined);
}

// "lumora-cli: run 3 of 50: 200 printers in 4.31 s, 9 descriptors open,
// 14820 kB resident" on standard error.
void WriteRunLine(unsigned uRun, unsigned uRuns, DWORD dwPrinters,
                  std::chrono::steady_clock::duration took) {
  const double seconds = std::chrono::duration<double>(took).count();
  std::fprintf(stderr, "lumora-cli: run %u of %u: %lu printers in %.2f s, %zu descriptors open, %zu kB resident\n",
               uRun, uRuns, static_cast<unsigned long>(dwPrinters), seconds,
               ProcessUsage::OpenDescriptors(), ProcessUsage::ResidentKiB());
  std::fflush(stderr);
}

}  // namespace

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
  sub.add_flag("--csv", m_Options.bCsv,
               "Print the printers as CSV (RFC 4180, CR LF line ends): a header line of the "
               "keys of --json but \"image\", then one line per printer.")
      ->excludes("--json");
  sub.add_flag("--debug", m_Options.bDebug,
               "Write every debug-console line of the discovery, time-stamped "
               "\"[hh:mm:ss:mmm], \", to standard error.");
  sub.add_option("--iface", m_Options.interfaces,
                 "Broadcast every request out of this interface, to its subnet's broadcast "
                 "address and from its own address; repeat for several, or give \"all\" for "
                 "every interface that is up and can broadcast (loopback never). Without it: "
                 "szInterfaces of the INI file, or the single broadcast of dwBroadcastType.")
      ->type_name("NAME")
      ->allow_extra_args(false);
  sub.add_option("--host", m_Options.hosts,
                 "Also ask the printers at SPEC by unicast (printers behind a router): an "
                 "address (10.20.0.5), a CIDR block (10.20.0.0/28) or a range "
                 "(10.20.0.5-10.20.0.40); repeatable, at most 4096 addresses in all. Without "
                 "it: szHosts of the INI file.")
      ->type_name("SPEC")
      ->allow_extra_args(false);
  sub.add_flag("--no-broadcast", m_Options.bNoBroadcast,
               "Ask only the hosts given by unicast; send no broadcast at all.");
  auto* report = sub.add_flag("--report", m_Options.bReport,
               "After the printers, print per interface used what was sent and received, the "
               "printers that answered from outside the interface's subnet, the answers the "
               "kernel dropped, and a verdict; with --json an object {\"devices\": [...], "
               "\"report\": {...}}.");
  report->excludes("--csv");
  sub.add_option("--repeat", m_Options.uRepeat,
                 "Run N discoveries one after another in this process (default 1), the log "
                 "emptied before each. Each run's printers are printed when it ends (with "
                 "--json one array per line, else each table followed by an empty line), and a "
                 "line on standard error tells the run's number, its printers and time, and the "
                 "descriptors and memory the process holds. Ctrl-C ends the run going on and "
                 "skips the rest.")
      ->check(CLI::Range(1u, 1000000u));
}

bool DiscoverCommand::ApplyOptions(const Options& options,
                                   const std::vector<CCNetInterfaces::Entry>& machine,
                                   CDiscoverySettings& settings, std::string& error) {
  if (!options.interfaces.empty()) settings.strInterfaces = JoinWide(options.interfaces);
  if (!options.hosts.empty()) settings.strHosts = JoinWide(options.hosts);
  if (options.bNoBroadcast) settings.btBroadcast = 0;
  std::vector<DWORD> hosts;
  std::wstring strError;
  if (!CHostList::Parse(settings.strHosts, hosts, strError)) {
    error = EnginePlatform::WideToUtf8(strError);
    return false;
  }
  std::vector<std::wstring> problems;
  CInterfaceChoice(settings.strInterfaces).Resolve(machine, problems);
  if (!problems.empty()) {
    error = EnginePlatform::WideToUtf8(problems.front());
    return false;
  }
  if (settings.btBroadcast == 0 && hosts.empty()) {
    error = "--no-broadcast leaves nothing to ask: give --host SPEC";
    return false;
  }
  return true;
}

void DiscoverCommand::PrintRun(const CConsoleDiscoveryOwner& owner, bool bRepeated) const {
  const CDeviceTable& table = owner.GetTable();
  if (m_Options.bReport) {
    std::cout << (m_Options.bJson ? NetworkReport::Json(table, owner.GetReport())
                                  : DeviceReport::Text(table) + "\n" +
                                        DiscoveryReportText::Text(owner.GetReport()));
  } else if (m_Options.bCsv) {
    std::cout << DeviceReport::Csv(table);
  } else if (m_Options.bJson) {
    std::cout << (bRepeated ? DeviceReport::JsonLine(table) : DeviceReport::Json(table));
  } else {
    std::cout << DeviceReport::Text(table);
  }
  if (bRepeated && !m_Options.bJson) std::cout << "\n";
  std::cout << std::flush;
}

int DiscoverCommand::Run() {
  CLumoraApp app(CliSettings::LumoraExecutable());
  if (!CliSettings::LoadOrReport(m_Options.iniPath, app)) return CliExit::kUsage;
  CDiscoverySettings settings = CliSettings::DiscoveryOf(app);
  std::string error;
  if (!ApplyOptions(m_Options, CCNetInterfaces().GetEntries(), settings, error)) {
    std::cerr << "lumora-cli: " << error << "\n";
    return CliExit::kUsage;
  }
  CConsoleDiscoveryOwner owner(settings, app.m_LogFile,
                               m_Options.bDebug ? CliText::DebugLine
                                                : CConsoleDiscoveryOwner::LineSink());
  const SignalWatcher watcher([&owner] { owner.Stop(); });
  const unsigned uRuns = m_Options.uRepeat;
  for (unsigned uRun = 1; uRun <= uRuns; ++uRun) {
    app.OpenLogFile();
    const auto start = std::chrono::steady_clock::now();
    if (!owner.Run()) {
      std::cerr << "lumora-cli: the discovery could not start\n";
      return CliExit::kFailed;
    }
    PrintRun(owner, uRuns > 1);
    if (uRuns > 1)
      WriteRunLine(uRun, uRuns, owner.GetTable().GetDeviceCount(),
                   std::chrono::steady_clock::now() - start);
    // A signal ends the run going on and the repetition.
    if (watcher.Fired())
      return owner.EndedNormally() && uRun == uRuns ? CliExit::kOk : CliExit::kInterrupted;
  }
  return CliExit::kOk;
}
