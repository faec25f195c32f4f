#include "SetCommand.h"

#include "CliExit.h"
#include "CliOptionHelp.h"
#include "CliText.h"
#include "CsvSetRun.h"
#include "EnginePlatform.h"
#include "SetSession.h"

#include <CLI/CLI.hpp>

#include <iostream>

namespace {

// The name goes on the wire one byte per character, between angle brackets:
// 1 to 16 characters of ISO 8859-1, without controls and without '<' or '>'.
std::string CheckName(const std::wstring& strName) {
  if (strName.empty() || strName.size() > SetCommand::kMaxName)
    return "the printer name must have 1 to 16 characters";
  for (const wchar_t c : strName) {
    if (c < 0x20 || (c >= 0x7F && c < 0xA0) || c > 0xFF || c == L'<' || c == L'>')
      return "the printer name may hold only printable Latin-1 characters, no '<' or '>'";
  }
  return {};
}

}  // namespace

std::string SetCommand::Summary() const {
  return "Send one printer, named by its MAC address, a new name, IP address, subnet mask, "
         "gateway and (with --dhcp) DHCP setting, as lumora's configuration dialog does: the "
         "command is broadcast, and the printer's answer is awaited on the answer port. The "
         "discovery request, broadcast the same way, first learns which printers the command "
         "reaches and the printer's current settings, and the new ones are checked "
         "before anything is sent: errors (an address the printer cannot have, a mask that is "
         "not contiguous, a gateway outside the new subnet, a name it cannot store) stop the "
         "command, warnings (the address in use, no route to the new subnet, DHCP on) are "
         "printed to standard error. Prints \"Printer parameters succesfully updated!\" when "
         "the printer confirmed, otherwise lumora's message for what came back; after a "
         "confirmation it looks for the printer at its new address and prints what it found. "
         "Every command sent is appended to the change journal (see journal).";
}

void SetCommand::AddOptions(CLI::App& sub) {
  CliOptionHelp::AddMac(sub, m_Options.mac,
                        "The printer's MAC address as discover shows it; colons are left out "
                        "of the command, dashes are kept.");
  CliOptionHelp::AddAddress(sub, "--ip", m_Options.ip, "The printer's new IP address.", false);
  CliOptionHelp::AddAddress(sub, "--mask", m_Options.mask, "Its new subnet mask.", false);
  CliOptionHelp::AddAddress(sub, "--gateway", m_Options.gateway, "Its new gateway.", false);
  sub.add_option_function<std::string>(
         "--name",
         [this](const std::string& value) {
           m_Options.name = EnginePlatform::Utf8ToWide(value);
           if (const std::string error = CheckName(m_Options.name); !error.empty())
             throw CLI::ValidationError("--name", error);
         },
         "The printer's new name, 1 to 16 characters.")
      ->type_name("NAME");
  sub.add_option("--dhcp", m_Options.dhcp,
                 "DHCP on (1) or off (0); left out, the command carries no DHCP setting.")
      ->type_name("DHCP")
      ->check(CLI::IsMember({"1", "0"}));
  sub.add_option("--attempts", m_Options.dwAttempts,
                 "Answers to read before giving up, each waiting dwRxEthTimeout ms (lumora reads "
                 "one per printer in its list); 0 sends without waiting. Default 1.")
      ->type_name("N")
      ->check(CLI::Range(0, 1000));
  sub.add_flag("--check", m_Options.bCheck,
               "Only check the new settings against the network and the printers found, print "
               "the findings, and send no SET command. Exit status 1 when there is an error.");
  sub.add_flag("--force", m_Options.bForce, "Send even when the check found an error.");
  sub.add_flag("--no-verify", m_Options.bNoVerify,
               "Do not look for the printer at its new address after it confirmed; the exit "
               "status is then 0 for a confirmation.");
  auto* csv = sub.add_option("--from-csv", m_Options.csvPath,
                             "Change every printer a CSV file lists, header "
                             "mac,ip,mask,gateway,name[,dhcp] (see the README); an empty field "
                             "keeps the printer's current value.")
                  ->type_name("FILE");
  sub.add_flag("--dry-run", m_Options.bDryRun,
               "With --from-csv: print what each row would change, or why it cannot, and send "
               "nothing.")
      ->needs(csv);
  CliOptionHelp::AddIni(sub, m_Options.iniPath);
  CliOptionHelp::AddExchangeDebug(sub, m_Options.bDebug);
  sub.callback([this] {
    const Options& o = m_Options;
    if (o.csvPath) {
      if (!o.mac.empty() || !o.ip.empty() || !o.mask.empty() || !o.gateway.empty() ||
          !o.name.empty() || !o.dhcp.empty() || o.bCheck)
        throw CLI::ValidationError("--from-csv",
                                   "the printers come from the file: leave out --mac, --ip, "
                                   "--mask, --gateway, --name, --dhcp and --check");
      return;
    }
    const std::pair<bool, const char*> required[] = {{o.mac.empty(), "--mac"},
                                                     {o.ip.empty(), "--ip"},
                                                     {o.mask.empty(), "--mask"},
                                                     {o.gateway.empty(), "--gateway"},
                                                     {o.name.empty(), "--name"}};
    for (const auto& [bMissing, szName] : required)
      if (bMissing) throw CLI::RequiredError(szName);
  });
}

int SetCommand::Run() {
  SetSession session(m_Options.bDebug);
  if (!session.Load(m_Options.iniPath)) return CliExit::kUsage;
  if (m_Options.csvPath) {
    CsvSetRun run(session, *m_Options.csvPath);
    return run.Run({m_Options.bDryRun, m_Options.bForce, !m_Options.bNoVerify, m_Options.dwAttempts});
  }
  return RunOne(session);
}

int SetCommand::RunOne(SetSession& session) {
  const std::wstring strMac = EnginePlatform::Utf8ToWide(m_Options.mac);
  const CPrinterSettings proposed{m_Options.name, EnginePlatform::Utf8ToWide(m_Options.ip), EnginePlatform::Utf8ToWide(m_Options.mask),
                                  EnginePlatform::Utf8ToWide(m_Options.gateway), EnginePlatform::Utf8ToWide(m_Options.dhcp)};
  if (!session.Discover({strMac})) return CliExit::kFailed;
  std::vector<CSettingsFinding> findings = session.Check().Judge(proposed, strMac, session.Devices());
  if (session.Find(strMac) == nullptr)
    findings.push_back({CSettingsFinding::ESeverity::kWarning,
                        L"No printer with the MAC address " + strMac +
                            L" answered the discovery; its current settings are unknown."});
  const bool bError = CSettingsCheck::HasError(findings);
  if (m_Options.bCheck) {
    std::cout << (findings.empty() ? "no findings: the settings look right\n"
                                   : SetSession::FindingLines(findings))
              << std::flush;
    return bError ? CliExit::kFailed : CliExit::kOk;
  }
  std::cerr << SetSession::FindingLines(findings);
  if (bError && !m_Options.bForce) {
    std::cerr << "lumora-cli: nothing sent: the check found an error (--force sends anyway)\n";
    return CliExit::kFailed;
  }
  const CChangeRunner::Result r =
      session.Change(strMac, proposed, m_Options.dwAttempts, !m_Options.bNoVerify);
  if (!r.strJournalError.empty())
    std::cerr << "lumora-cli: warning: the change journal was not written: " << r.strJournalError
              << "\n";
  if (r.outcome.uiMessage == 0) {
    std::cerr << "lumora-cli: the SET command failed: " << CliText::TransportError(r.outcome.dwResult)
              << "\n";
    return CliExit::kFailed;
  }
  std::cout << CliText::Display(r.outcome.Text()) << "\n";
  if (r.verification) std::cout << CliText::Display(r.verification->Text()) << "\n";
  std::cout << std::flush;
  const bool bDone = r.verification
                         ? r.verification->eResult == CSetVerifier::EResult::kVerified
                         : r.outcome.dwResult == 0;
  return bDone ? CliExit::kOk : CliExit::kFailed;
}
