#include "DiscoverCommand.h"

#include "CConsoleDiscoveryOwner.h"
#include "CLumoraApp.h"
#include "CliExit.h"
#include "CliOptionHelp.h"
#include "CliSettings.h"
#include "CliText.h"
#include "DeviceReport.h"
#include "ProcessUsage.h"
#include "SignalWatcher.h"

#include <CLI/CLI.hpp>

#include <chrono>
#include <cstdio>
#include <iostream>

namespace {

void WriteDebugLine(const std::wstring& strLine) {
  const std::string text = CliText::Display(strLine) + "\n";
  std::fwrite(text.data(), 1, text.size(), stderr);
  std::fflush(stderr);
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
  sub.add_flag("--debug", m_Options.bDebug,
               "Write every debug-console line of the discovery, time-stamped "
               "\"[hh:mm:ss:mmm], \", to standard error.");
  sub.add_option("--repeat", m_Options.uRepeat,
                 "Run N discoveries one after another in this process (default 1), the log "
                 "emptied before each. Each run's printers are printed when it ends (with "
                 "--json one array per line, else each table followed by an empty line), and a "
                 "line on standard error tells the run's number, its printers and time, and the "
                 "descriptors and memory the process holds. Ctrl-C ends the run going on and "
                 "skips the rest.")
      ->check(CLI::Range(1u, 1000000u));
}

void DiscoverCommand::PrintTable(const CDeviceTable& table, bool bOneLine) const {
  if (!m_Options.bJson)
    std::cout << DeviceReport::Text(table) << (bOneLine ? "\n" : "");
  else
    std::cout << (bOneLine ? DeviceReport::JsonLine(table) : DeviceReport::Json(table));
  std::cout << std::flush;
}

int DiscoverCommand::Run() {
  CLumoraApp app(CliSettings::LumoraExecutable());
  std::filesystem::path source;
  std::string error;
  if (!CliSettings::Load(m_Options.iniPath, app, source, error)) {
    std::cerr << "lumora-cli: " << error << "\n";
    return CliExit::kUsage;
  }
  CConsoleDiscoveryOwner owner(CliSettings::DiscoveryOf(app), app.m_LogFile,
                               m_Options.bDebug ? WriteDebugLine
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
    PrintTable(owner.GetTable(), uRuns > 1);
    if (uRuns > 1)
      WriteRunLine(uRun, uRuns, owner.GetTable().GetDeviceCount(),
                   std::chrono::steady_clock::now() - start);
    // A signal ends the run going on and the repetition.
    if (watcher.Fired())
      return owner.EndedNormally() && uRun == uRuns ? CliExit::kOk : CliExit::kInterrupted;
  }
  return CliExit::kOk;
}
