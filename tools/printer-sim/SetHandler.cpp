#include "SetHandler.h"

#include <bit>

#include "HostAddresses.h"

namespace printersim {

namespace {

// The prefix length of a contiguous mask; 32 for any other.
unsigned PrefixLength(Ipv4Address mask) {
  const unsigned ones = static_cast<unsigned>(std::countl_one(mask.value()));
  return ones == 32 || (mask.value() << ones) == 0 ? ones : 32;
}

}  // namespace

SetHandler::SetHandler(PrinterTable& printers, HostAddresses* addresses, SetReply reply,
                       std::ostream& log)
    : printers_(printers), addresses_(addresses), reply_(reply), log_(log) {}

std::string SetHandler::Answer(std::string_view text) {
  std::string answer = "<ZQ><STSMOA><";
  answer += text;
  answer += '>';
  return answer;
}

void SetHandler::Handle(Printer& printer, std::string_view request,
                        std::vector<std::string>& out) {
  const auto set = SetRequest::Parse(request);
  if (!set || !set->IsFor(printer.mac)) return;
  if (reply_ == SetReply::kWithoutSet) {
    out.push_back(Answer(set->addressee + kAck));
    return;
  }
  const bool confirming = reply_ == SetReply::kConfirm || reply_ == SetReply::kConfirmInPlace;
  const bool accepted = confirming && Valid(printer, *set);
  if (accepted) Apply(printer, *set);
  out.push_back(Answer("<SET>" + set->addressee + (accepted ? kAck : kNak)));
}

bool SetHandler::Valid(const Printer& printer, const SetRequest& set) const {
  const auto ip = Ipv4Address::Parse(set.ip);
  if (!ip || !Ipv4Address::Parse(set.mask) || !Ipv4Address::Parse(set.gateway)) return false;
  if (set.dhcp && *set.dhcp != "0" && *set.dhcp != "1") return false;
  const auto holder = printers_.IndexOf(*ip);
  return !holder || &printers_[*holder] == &printer;
}

void SetHandler::Apply(Printer& printer, const SetRequest& set) {
  const Ipv4Address mask = *Ipv4Address::Parse(set.mask);
  const Ipv4Address address = NewAddress(printer, *Ipv4Address::Parse(set.ip), mask);
  const std::string old = printer.address.ToString();
  printer.name = set.name;
  printer.subnetMask = set.mask;
  printer.gateway = set.gateway;
  if (set.dhcp) printer.dhcp = *set.dhcp;
  printers_.Readdress(*printers_.IndexOf(printer.address), address);
  log_ << "printer-sim: " << old << " (" << printer.mac << ") set: name \"" << printer.name
       << "\", address " << printer.address.ToString() << ", mask " << printer.subnetMask
       << ", gateway " << printer.gateway << ", dhcp \"" << printer.dhcp << "\"\n"
       << std::flush;
}

Ipv4Address SetHandler::NewAddress(const Printer& printer, Ipv4Address wanted, Ipv4Address mask) {
  if (wanted == printer.address || reply_ == SetReply::kConfirmInPlace) return printer.address;
  std::string error = "moving addresses needs a network namespace of its own";
  if (addresses_ != nullptr && addresses_->Take(printer.address, wanted, PrefixLength(mask), error))
    return wanted;
  log_ << "printer-sim: warning: " << printer.address.ToString() << " cannot move to "
       << wanted.ToString() << " (" << error << "); it keeps its address\n"
       << std::flush;
  return printer.address;
}

}  // namespace printersim
