#include "CommandLine.h"

#include <functional>
#include <map>

#include "ParseNumber.h"
#include "StatusOptions.h"

namespace printersim {

namespace {

using Setter = std::function<bool(SimOptions&, std::string_view)>;

bool SetAddress(std::string_view text, Ipv4Address& out) {
  const auto address = Ipv4Address::Parse(text);
  if (address) out = *address;
  return address.has_value();
}

const std::map<std::string_view, Setter>& ValueOptions() {
  static const std::map<std::string_view, Setter> options = {
      {"--config", [](SimOptions& o, std::string_view v) { o.configPath = v; return !v.empty(); }},
      {"--count", [](SimOptions& o, std::string_view v) {
         return ParseNumber<std::size_t>(v, 1, 0xFFFFFF, o.count); }},
      {"--base", [](SimOptions& o, std::string_view v) { return SetAddress(v, o.base); }},
      {"--mask", [](SimOptions& o, std::string_view v) { return SetAddress(v, o.subnetMask); }},
      {"--gateway", [](SimOptions& o, std::string_view v) { return SetAddress(v, o.gateway); }},
      {"--port", [](SimOptions& o, std::string_view v) {
         return ParseNumber<std::uint16_t>(v, 1, 65535, o.port); }},
      {"--answer-port", [](SimOptions& o, std::string_view v) {
         return ParseNumber<std::uint16_t>(v, 1, 65535, o.answerPort); }},
      {"--web-port", [](SimOptions& o, std::string_view v) {
         return ParseNumber<std::uint16_t>(v, 0, 65535, o.webPort); }},
      {"--delay", [](SimOptions& o, std::string_view v) {
         return ParseNumber<unsigned>(v, 0, 3600000, o.delayMs); }},
      {"--drop", [](SimOptions& o, std::string_view v) {
         return ParseNumber<double>(v, 0, 100, o.faults.dropPercent); }},
      {"--garbage", [](SimOptions& o, std::string_view v) {
         return ParseNumber<double>(v, 0, 100, o.faults.garbagePercent); }},
      {"--seed", [](SimOptions& o, std::string_view v) {
         return ParseNumber<std::uint64_t>(v, 0, UINT64_MAX, o.faults.seed); }},
  };
  return options;
}

const std::map<std::string_view, std::function<void(SimOptions&)>>& Flags() {
  static const std::map<std::string_view, std::function<void(SimOptions&)>> flags = {
      {"--duplicate", [](SimOptions& o) { o.faults.duplicate = true; }},
      {"--refuse-set", [](SimOptions& o) { o.setReply = SetReply::kRefuse; }},
      {"--garble-set", [](SimOptions& o) { o.setReply = SetReply::kWithoutSet; }},
      {"--set-keeps-address", [](SimOptions& o) { o.setReply = SetReply::kConfirmInPlace; }},
      {"--verbose", [](SimOptions& o) { o.verbose = true; }},
      {"--allow-host-network", [](SimOptions& o) { o.allowHostNetwork = true; }},
      {"-v", [](SimOptions& o) { o.verbose = true; }},
      {"--help", [](SimOptions& o) { o.help = true; }},
      {"-h", [](SimOptions& o) { o.help = true; }},
  };
  return flags;
}

bool CheckPrinterSource(const SimOptions& options, bool baseGiven, std::string& error) {
  if (options.configPath.empty() == (options.count == 0)) {
    error = options.count == 0 ? "no printers: give --config FILE or --count N"
                               : "--config and --count exclude each other";
    return false;
  }
  if (baseGiven && options.count == 0) {
    error = "--base needs --count";
    return false;
  }
  if (options.port == options.answerPort) {
    error = "--port and --answer-port must differ";
    return false;
  }
  return true;
}

}  // namespace

std::optional<SimOptions> CommandLine::Parse(const std::vector<std::string_view>& args,
                                             std::string& error) {
  SimOptions options;
  bool baseGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string_view name = args[i];
    std::optional<std::string_view> value;
    if (const auto eq = name.find('='); name.starts_with("--") && eq != std::string_view::npos) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    if (const auto flag = Flags().find(name); flag != Flags().end() && !value) {
      const SetReply before = options.setReply;
      flag->second(options);
      if (before != SetReply::kConfirm && options.setReply != before) {
        error = "--refuse-set, --garble-set and --set-keeps-address exclude each other";
        return std::nullopt;
      }
      continue;
    }
    if (const auto flag = StatusOptions::Flags().find(name);
        flag != StatusOptions::Flags().end() && !value) {
      flag->second(options.status);
      continue;
    }
    Setter setter;
    if (const auto option = ValueOptions().find(name); option != ValueOptions().end()) {
      setter = option->second;
    } else if (const auto status = StatusOptions::ValueOptions().find(name);
               status != StatusOptions::ValueOptions().end()) {
      setter = [status](SimOptions& o, std::string_view v) { return status->second(o.status, v); };
    } else {
      error = "unknown option '" + std::string(args[i]) + "'";
      return std::nullopt;
    }
    if (!value) {
      if (i + 1 == args.size()) {
        error = "option " + std::string(name) + " needs a value";
        return std::nullopt;
      }
      value = args[++i];
    }
    if (!setter(options, *value)) {
      error = "invalid value '" + std::string(*value) + "' for " + std::string(name);
      return std::nullopt;
    }
    baseGiven = baseGiven || name == "--base";
  }
  if (options.help) return options;
  if (!CheckPrinterSource(options, baseGiven, error)) return std::nullopt;
  return options;
}

std::string CommandLine::Help() {
  return HelpText() + StatusOptions::Help();
}

std::string CommandLine::HelpText() {
  return R"(Usage: printer-sim (--config FILE | --count N [--base A.B.C.D]) [options]

Plays any number of network printers in one process, each on an IPv4 address
of its own, so that discovery and configuration can be run without hardware.
Run it only inside a virtual LAN (scripts/vlan): it answers broadcasts, and it
refuses to start in the machine's own network namespace.

Every printer listens on the printers' port on all local addresses and
answers to the sender's address on the answer port, from its own address:
  "<ZQ><0000>"          -> "<ZQ><MAC><mac>"
  "<ZQ><STSMOQ><NAME>"  -> "<ZQ><NAME><name>"   (also <MOD>, <SNM>, <GTW>, <DHCP>)
  "<ZQ><STSMOQ><SET><MAC:m><S_NAME><n><S_IPADD><ip><S_SNM><mask><S_GTW><gw>"
  (then optionally "<S_DHCP><0|1>")
                        -> "<ZQ><STSMOA>" '<' "<SET><MAC:m>" ACK '>'
  "<ZQ><STSMOQ><CMD>" '<' 0x02 '>'  (full status)
                        -> "<ZQ><STSMOA><CMD>" '<' 02 00 00 00 '>'
  "<ZQ><STSMOQ><CMD>" '<' 0x20 '>'  (device identity)
                        -> "<ZQ><STSMOA><CMD>" '<' "MFG:Quillmark;MDL:model;
                           CLS:PRINTER;DES:name;SN:mac digits;" '>'
A request to 255.255.255.255 reaches every printer, one to a subnet-directed
broadcast address the printers of that subnet, one to a printer's address
that printer alone. Other requests are ignored. Each printer's address must be
an address of the host (ip addr add ...), or its answers cannot be sent.

The SET command (a broadcast) is taken by the printer whose MAC address the
<MAC:...> part gives (colons or dashes, any case). It checks the values
(dotted addresses, DHCP 0 or 1, an IP address no other printer holds),
applies name, mask, gateway, DHCP and IP address, answers from its old
address with ACK (0x06) and from then on reports the new settings and
answers from the new address; with a bad value it answers NAK (0x15) and
changes nothing. The new address is added to the interface that holds the
old one (which stays) and removed again when the simulator ends; outside a
network namespace of its own the printer keeps its address (with a warning).
Status bytes: the query's code, state (0 ready), alerts (0 none), jobs
waiting (0).

Printers:
  --config FILE     read the printers from FILE, one per line:
                      ip=10.77.1.1 name="Front desk" model="Quillmark Wide" dhcp=1
                    keys: ip (required), mac, name, model, mask, gateway, dhcp;
                    "" is an empty value, '#' starts a comment; left-out keys
                    get the generated values of the printer at that position
  --count N         generate N printers: printer k (from 0) at the base address
                    plus k, last octet counting 1..250, so with the default
                    base printer k is at 10.77.(16 + k/250).(1 + k%250);
                    MAC 02-51-4D-00-00-01 and name "Lumen Desk 0001"
                    upwards, models "Quillmark Compact" and "Quillmark Wide"
                    in turn
  --base A.B.C.D    first generated address (default 10.77.16.1; D in 1..250)
  --mask A.B.C.D    subnet mask of generated printers (default 255.255.0.0)
  --gateway A.B.C.D gateway of generated printers (default 10.77.0.1)

Network:
  --port P          port the printers listen on (default 15000)
  --answer-port P   port answers are sent to (default 15001)
  --web-port P      TCP port of the printers' web pages (default 80; 0: none):
                    each printer shows its settings at http://<address>/

Faults, for tests and benchmarks:
  --drop PCT        drop PCT percent of the answers (0..100)
  --garbage PCT     replace PCT percent of the answers with garbage: random
                    bytes, no "<ZQ>", an unknown tag, zero bytes inside, or
                    1024 to 1500 bytes
  --duplicate       send every answer twice
  --delay MS        send answers MS milliseconds late (requests keep being
                    served meanwhile; answers keep their order)
  --seed N          seed of the fault decisions (default 1), for repeatable runs
  --refuse-set      printers answer every SET command with NAK (0x15) in place
                    of ACK and change nothing
  --garble-set      printers answer every SET command without the text "SET"
                    (still ending in ACK) and change nothing
  --set-keeps-address
                    printers confirm every valid SET command and take the new
                    name, mask, gateway and DHCP setting, but keep answering
                    from their old address

Other:
  --allow-host-network
                    run even in the machine's own network namespace (refused
                    by default: real programs on the network would see the
                    simulated printers); only for an isolated test network
  -v, --verbose     log every request and how many answers it got to stderr
  -h, --help        show this text

Prints "printer-sim: ready" on stdout once listening; ends on SIGTERM or
SIGINT with exit code 0. Usage errors exit with code 2, start-up failures
(port in use, unreadable config) with code 1.
)";
}

}  // namespace printersim
