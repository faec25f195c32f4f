#include "SetCommand.h"

#include "CConfigurationExchange.h"
#include "CLumoraApp.h"
#include "CUdpDiscoveryTransport.h"
#include "CliExit.h"
#include "CliOptionHelp.h"
#include "CliSettings.h"
#include "CliText.h"
#include "EnginePlatform.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <regex>

namespace {

// Twelve hex digits, in pairs separated all alike by ':' or '-', or not at all.
std::string CheckMac(const std::string& strValue) {
  static const std::regex kMac("[0-9A-Fa-f]{2}([:-]?)[0-9A-Fa-f]{2}(\\1[0-9A-Fa-f]{2}){4}");
  return std::regex_match(strValue, kMac)
             ? std::string()
             : "'" + strValue + "' is no MAC address (12 hex digits, e.g. 02:51:4D:00:00:01)";
}

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

std::wstring Wide(const std::string& strText) { return EnginePlatform::Utf8ToWide(strText); }

}  // namespace

std::string SetCommand::Summary() const {
  return "Send one printer, named by its MAC address, a new name, IP address, subnet mask, "
         "gateway and (with --dhcp) DHCP setting, as lumora's configuration dialog does: the "
         "command is broadcast, and the printer's answer is awaited on the answer port. Prints "
         "\"Printer parameters succesfully updated!\" when the printer confirmed, otherwise "
         "lumora's message for what came back.";
}

void SetCommand::AddOptions(CLI::App& sub) {
  sub.add_option("--mac", m_Options.mac,
                 "The printer's MAC address as discover shows it; colons are left out of the "
                 "command, dashes are kept.")
      ->required()
      ->type_name("MAC")
      ->check(CLI::Validator(CheckMac, "", "MAC"));
  CliOptionHelp::AddAddress(sub, "--ip", m_Options.ip, "The printer's new IP address.");
  CliOptionHelp::AddAddress(sub, "--mask", m_Options.mask, "Its new subnet mask.");
  CliOptionHelp::AddAddress(sub, "--gateway", m_Options.gateway, "Its new gateway.");
  sub.add_option_function<std::string>(
         "--name",
         [this](const std::string& value) {
           m_Options.name = Wide(value);
           if (const std::string error = CheckName(m_Options.name); !error.empty())
             throw CLI::ValidationError("--name", error);
         },
         "The printer's new name, 1 to 16 characters.")
      ->required()
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
  CliOptionHelp::AddIni(sub, m_Options.iniPath);
  CliOptionHelp::AddExchangeDebug(sub, m_Options.bDebug);
}

int SetCommand::Run() {
  CLumoraApp app(CliSettings::LumoraExecutable());
  if (!CliSettings::LoadOrReport(m_Options.iniPath, app)) return CliExit::kUsage;
  CUdpDiscoveryTransport transport;
  CConfigurationExchange exchange(
      CliSettings::ConfigurationOf(app), transport,
      m_Options.bDebug ? CliOptionHelp::WriteExchangeLine : CConfigurationExchange::ConsoleLine());
  const DWORD dwAttempts = m_Options.dwAttempts;
  const CConfigurationExchange::SetOutcome outcome = exchange.SendSetCommand(
      Wide(m_Options.ip), m_Options.name, Wide(m_Options.mask), Wide(m_Options.gateway),
      Wide(m_Options.mac), Wide(m_Options.dhcp), [dwAttempts] { return dwAttempts; });
  if (outcome.uiMessage == 0) {
    std::cerr << "lumora-cli: the SET command failed: " << CliText::TransportError(outcome.dwResult)
              << "\n";
    return CliExit::kFailed;
  }
  std::cout << CliText::Display(outcome.Text()) << std::endl;
  return outcome.dwResult == 0 ? CliExit::kOk : CliExit::kFailed;
}
