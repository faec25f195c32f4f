#pragma once
// Options that several lumora-cli commands share, declared in one place so
// that they read and behave alike everywhere.
#include <filesystem>
#include <optional>
#include <string>

namespace CLI {
class App;
class Option;
}

class CliOptionHelp {
 public:
  // --ini FILE: the settings file instead of lumora.ini beside lumora.
  static void AddIni(CLI::App& sub, std::optional<std::filesystem::path>& iniPath);
  // An IPv4 address in dotted-decimal form (four numbers 0 to 255).
  static void AddAddress(CLI::App& sub, const std::string& name, std::string& value,
                         const std::string& description, bool bRequired = true);
  // A MAC address as MacText::Parse takes it: 12 hex digits, in pairs
  // separated all alike by ':' or '-', or not at all.
  static CLI::Option* AddMac(CLI::App& sub, std::string& value, const std::string& description);
  // --debug: the exchange's debug-console lines, time-stamped, to stderr.
  static void AddExchangeDebug(CLI::App& sub, bool& bDebug);
  // Writes one debug-console line of an exchange, time-stamped, to stderr.
  static void WriteExchangeLine(const std::wstring& strLine);
};
