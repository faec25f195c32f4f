#include "CliOptionHelp.h"

#include "CConsoleDiscoveryOwner.h"
#include "CliText.h"
#include "EnginePlatform.h"
#include "MacText.h"

#include <CLI/CLI.hpp>

#include <regex>

namespace {

// Four decimal numbers 0 to 255 without leading zeros: the text goes to the
// printer as it stands.
std::string CheckAddress(const std::string& strValue) {
  static const std::string kPart = "(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])";
  static const std::regex kAddress(kPart + "(\\." + kPart + "){3}");
  return std::regex_match(strValue, kAddress)
             ? std::string()
             : "'" + strValue + "' is no IPv4 address (four numbers 0 to 255, e.g. 10.77.16.1)";
}

std::string CheckMac(const std::string& strValue) {
  std::wstring strDigits;
  return MacText::Parse(EnginePlatform::Utf8ToWide(strValue), strDigits)
             ? std::string()
             : "'" + strValue + "' is no MAC address (12 hex digits, e.g. 02:51:4D:00:00:01)";
}

}  // namespace

void CliOptionHelp::AddIni(CLI::App& sub, std::optional<std::filesystem::path>& iniPath) {
  sub.add_option_function<std::string>(
         "--ini",
         [&iniPath](const std::string& value) {
           if (value.empty()) throw CLI::ValidationError("--ini", "needs a file name");
           iniPath = std::filesystem::path(value);
         },
         "Read the settings from FILE instead of lumora's lumora.ini (in this program's "
         "directory, else $XDG_CONFIG_HOME/lumora/, else /etc/lumora/). A missing FILE is "
         "an error; no lumora.ini at all means the defaults.")
      ->type_name("FILE");
}

void CliOptionHelp::AddAddress(CLI::App& sub, const std::string& name, std::string& value,
                               const std::string& description, bool bRequired) {
  sub.add_option(name, value, description)
      ->required(bRequired)
      ->type_name("A.B.C.D")
      ->check(CLI::Validator(CheckAddress, "", "IPv4"));
}

CLI::Option* CliOptionHelp::AddMac(CLI::App& sub, std::string& value,
                                   const std::string& description) {
  return sub.add_option("--mac", value, description)
      ->type_name("MAC")
      ->check(CLI::Validator(CheckMac, "", "MAC"));
}

void CliOptionHelp::AddExchangeDebug(CLI::App& sub, bool& bDebug) {
  sub.add_flag("--debug", bDebug,
               "Write the exchange's debug-console lines (what was sent and received), "
               "time-stamped \"[hh:mm:ss:mmm], \", to standard error.");
}

void CliOptionHelp::WriteExchangeLine(const std::wstring& strLine) {
  CliText::DebugLine(CConsoleDiscoveryOwner::TimeStamped(strLine));
}
