#pragma once
// How the simulated printers take the SET command. The printer the command
// names checks the values (addresses dotted, DHCP "0" or "1", the new IP
// address not another printer's), applies them and confirms:
//
//   "<ZQ><STSMOA>" '<' "<SET>" addressee 0x06 '>'
//
// or, when a value is bad, answers the same with NAK (0x15) in place of ACK
// and changes nothing. A new IP address is taken on the host through
// HostAddresses, and the printer answers from it from then on; where that is
// not possible it keeps its address (a warning says so) and takes the rest.
// The reply mode makes every printer refuse, or answer without "SET", for
// testing the program's outcomes; it then changes nothing. Or it makes them
// confirm and take everything but the new address, as a printer does that
// moves only when restarted.
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "PrinterTable.h"
#include "SetRequest.h"

namespace printersim {

class HostAddresses;

enum class SetReply { kConfirm, kRefuse, kWithoutSet, kConfirmInPlace };

class SetHandler {
 public:
  static constexpr char kAck = 0x06;
  static constexpr char kNak = 0x15;

  // `addresses` may be null: printers then keep their addresses.
  SetHandler(PrinterTable& printers, HostAddresses* addresses, SetReply reply, std::ostream& log);

  // The answers of `printer` to a SET request; none when the request is not
  // a whole SET command or names another printer.
  void Handle(Printer& printer, std::string_view request, std::vector<std::string>& out);

  // The answer frame around `text`.
  static std::string Answer(std::string_view text);

 private:
  bool Valid(const Printer& printer, const SetRequest& set) const;
  void Apply(Printer& printer, const SetRequest& set);
  Ipv4Address NewAddress(const Printer& printer, Ipv4Address wanted, Ipv4Address mask);

  PrinterTable& printers_;
  HostAddresses* addresses_;
  SetReply reply_;
  std::ostream& log_;
};

}  // namespace printersim
