#include "CliProgram.h"

#include "AdaptersCommand.h"
#include "CliExit.h"
#include "CliHelpFormatter.h"
#include "DiscoverCommand.h"
#include "EnginePlatform.h"
#include "JournalCommand.h"
#include "InstallCommand.h"
#include "PrinterCommand.h"
#include "ProgramVersion.h"
#include "QueryCommand.h"
#include "SetCommand.h"
#include "SettingsCommand.h"
#include "StatusCommand.h"
#include "UninstallCommand.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <iostream>

namespace {

constexpr const char* kDescription =
    "Finds and configures the maker's network printers on the local Ethernet segment without a "
    "window, with the same settings, discovery, configuration exchange and log file as lumora.";

constexpr const char* kFooter = R"(
The settings are lumora's: lumora.ini in this program's directory, else
$XDG_CONFIG_HOME/lumora/lumora.ini (~/.config/lumora/), else
/etc/lumora/lumora.ini; settings names the one it read. The discovery writes
lumora's log file, lumora.log in this program's directory (or
$XDG_STATE_HOME/lumora/, by default ~/.local/state/lumora/, when that one is
not writable or is a system folder such as /usr/bin), emptied at the start of
the run. Ctrl-C ends a discovery early (within one receive
time-out) and prints what was found; a second Ctrl-C quits at once.

Every SET command sent is appended to the change journal,
$XDG_STATE_HOME/lumora/changes.jsonl (by default ~/.local/state/lumora/);
journal prints it.

Exit status: 0 when the command ran to its end (also when no printer was
found), 1 when it could not run (e.g. the discovery could not start) or, for
set, when the check found an error, the printer did not confirm, or it was
not found at its new address afterwards (with --no-verify: did not confirm;
with --from-csv: any row) and, for query, when no answer came, 2 for a usage
error or a faulty CSV file, 3 when status found the printer busy, 130 when a
discovery was interrupted. discover, set (also with --check or --dry-run),
query, install and status send to the printers' network: run them only
there.)";

}  // namespace

template <class T>
void CliProgram::Register() {
  auto pCommand = std::make_unique<T>();
  CLI::App* sub = m_pApp->add_subcommand(pCommand->Name(), pCommand->Summary());
  pCommand->AddOptions(*sub);
  m_Commands.emplace_back(sub, std::move(pCommand));
}

CliProgram::CliProgram() : m_pApp(std::make_unique<CLI::App>(kDescription, "lumora-cli")) {
  m_pApp->require_subcommand(1);
  m_pApp->footer(kFooter);
  m_pApp->formatter(std::make_shared<CliHelpFormatter>());
  // Read from this executable's own version block; nothing is sent.
  m_pApp->set_version_flag(
      "--version",
      [] { return ProgramVersion::Line("lumora-cli", EnginePlatform::ExecutablePath()); },
      "Print the version of this program and exit.");
  Register<DiscoverCommand>();
  Register<SetCommand>();
  Register<QueryCommand>();
  Register<JournalCommand>();
  Register<SettingsCommand>();
  Register<AdaptersCommand>();
  Register<PrinterCommand>();
  Register<InstallCommand>();
  Register<UninstallCommand>();
  Register<StatusCommand>();
  m_pHelp = m_pApp->add_subcommand("help", "Print this text.");
}

CliProgram::~CliProgram() = default;

std::optional<int> CliProgram::Parse(const std::vector<std::string>& args, std::ostream& out,
                                     std::ostream& err) {
  std::vector<std::string> reversed(args.rbegin(), args.rend());
  try {
    m_pApp->parse(reversed);
  } catch (const CLI::CallForHelp&) {
    out << m_pApp->help();
    return CliExit::kOk;
  } catch (const CLI::CallForAllHelp&) {
    out << m_pApp->help("", CLI::AppFormatMode::All);
    return CliExit::kOk;
  } catch (const CLI::CallForVersion& e) {
    if (std::string(e.what()).empty()) {
      err << "lumora-cli: this executable carries no version information\n";
      return CliExit::kFailed;
    }
    out << e.what() << "\n";
    return CliExit::kOk;
  } catch (const CLI::ParseError& e) {
    err << "lumora-cli: " << e.what() << "\nTry 'lumora-cli --help'.\n";
    return CliExit::kUsage;
  }
  if (m_pHelp->parsed()) {
    out << m_pApp->help();
    return CliExit::kOk;
  }
  return std::nullopt;
}

CliCommand* CliProgram::Selected() const {
  const auto it = std::find_if(m_Commands.begin(), m_Commands.end(),
                               [](const auto& entry) { return entry.first->parsed(); });
  return it == m_Commands.end() ? nullptr : it->second.get();
}

int CliProgram::Run(int argc, char** argv) {
  if (const auto exit = Parse(std::vector<std::string>(argv + 1, argv + argc), std::cout,
                              std::cerr))
    return *exit;
  return Selected()->Run();
}
