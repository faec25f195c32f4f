#include "CliOptions.h"

namespace {

bool ParseCommand(std::string_view word, CliOptions::Command& command) {
  if (word == "discover") command = CliOptions::Command::kDiscover;
  else if (word == "settings") command = CliOptions::Command::kSettings;
  else if (word == "adapters") command = CliOptions::Command::kAdapters;
  else if (word == "help") command = CliOptions::Command::kHelp;
  else return false;
  return true;
}

// Whether an option applies to the command.
bool Allowed(std::string_view option, CliOptions::Command command) {
  using C = CliOptions::Command;
  if (option == "--ini") return command == C::kDiscover || command == C::kSettings;
  return command == C::kDiscover;  // --json, --debug
}

}  // namespace

std::optional<CliOptions> CliOptions::Parse(const std::vector<std::string_view>& args,
                                            std::string& error) {
  CliOptions options;
  bool bCommandSeen = false;
  std::vector<std::string_view> given;
  for (size_t i = 0; i < args.size(); ++i) {
    std::string_view arg = args[i];
    std::string_view value;
    bool bInline = false;
    if (const auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
      bInline = true;
    }
    if (arg == "-h" || arg == "--help") {
      options.command = Command::kHelp;
      return options;
    }
    if (arg == "--json" || arg == "--debug") {
      if (bInline) {
        error = std::string(arg) + " takes no value";
        return std::nullopt;
      }
      (arg == "--json" ? options.bJson : options.bDebug) = true;
    } else if (arg == "--ini") {
      if (!bInline) {
        if (i + 1 >= args.size()) {
          error = "--ini needs a file name";
          return std::nullopt;
        }
        value = args[++i];
      }
      if (value.empty()) {
        error = "--ini needs a file name";
        return std::nullopt;
      }
      options.iniPath = std::filesystem::path(std::string(value));
    } else if (arg.starts_with("-")) {
      error = "unknown option '" + std::string(arg) + "'";
      return std::nullopt;
    } else if (bCommandSeen) {
      error = "unexpected argument '" + std::string(arg) + "'";
      return std::nullopt;
    } else {
      if (!ParseCommand(arg, options.command)) {
        error = "unknown command '" + std::string(arg) + "'";
        return std::nullopt;
      }
      bCommandSeen = true;
      continue;
    }
    given.push_back(arg);
  }
  if (!bCommandSeen) {
    error = "no command given";
    return std::nullopt;
  }
  for (std::string_view option : given) {
    if (!Allowed(option, options.command)) {
      error = std::string(option) + " does not apply to this command";
      return std::nullopt;
    }
  }
  return options;
}

const char* CliOptions::Help() {
  return R"(Usage: lumora-cli COMMAND [OPTIONS]

Finds the maker's network printers on the local Ethernet segment without a
window, with the same settings, discovery and log file as lumora.

Commands:
  discover    Run one whole discovery: broadcast the discovery request, ask
              every printer that answers for its name, model, subnet mask,
              gateway and DHCP setting, then print the printers found, one per
              line in the order they were found, under a header line.
              Takes --ini, --json and --debug.
  settings    Print the settings lumora would read, in INI form, after a
              comment naming the INI file they come from, or "defaults" when
              there is none. Takes --ini.
  adapters    Print the IPv4 network adapters this machine has: index, name,
              type, MAC address, IP address, subnet mask, gateway, DHCP
              server, and a '*' for the default card (the one that holds the
              machine's own address, whose broadcast address the subnet-
              directed mode uses).
  help        Print this text.

Options:
  --ini FILE  Read the settings from FILE instead of lumora.ini in this
              program's directory (where lumora keeps it). A missing FILE is
              an error; a missing lumora.ini means the defaults.
  --json      Print the printers as one JSON array, one object per printer
              with the keys "name", "model", "ip", "subnet_mask", "mac",
              "gateway", "dhcp" (texts) and "image" (the list image number:
              1 model known, 5 model unknown, 0 not yet told).
  --debug     Write every debug-console line of the discovery, time-stamped
              "[hh:mm:ss:mmm], ", to standard error.
  -h, --help  Print this text.

The discovery writes lumora's log file, lumora.log in this program's directory
(or in the user's state directory when that one is not writable), emptied at
the start of the run. Ctrl-C ends a discovery early (within one receive
time-out) and prints what was found; a second Ctrl-C quits at once.

Exit status: 0 when the command ran to its end (also when no printer was
found), 1 when it could not run (e.g. the discovery could not start), 2 for a
usage error, 130 when a discovery was interrupted.
)";
}
