#pragma once
// The SET command as a printer reads it:
//
//   <ZQ><STSMOQ><SET><MAC:0251:4D...><S_NAME><name><S_IPADD><ip>
//   <S_SNM><mask><S_GTW><gateway>[<S_DHCP><0|1>]
//
// (one line on the wire). The addressee names the printer by its MAC address
// in any spelling: colons or dashes between the digits, either case. A value
// runs to the "><S_" that starts the next pair, so a name may hold angle
// brackets of its own.
#include <optional>
#include <string>
#include <string_view>

namespace printersim {

struct SetRequest {
  static constexpr std::string_view kPrefix = "<ZQ><STSMOQ><SET>";

  std::string addressee;  // "<MAC:...>" exactly as sent; the answer repeats it
  std::string macDigits;  // its twelve hex digits, upper case
  std::string name;
  std::string ip;
  std::string mask;
  std::string gateway;
  std::optional<std::string> dhcp;  // absent: the setting stays as it is

  // nullopt for anything that is not a whole SET command.
  static std::optional<SetRequest> Parse(std::string_view request);

  // Whether the command names the printer with this MAC text.
  bool IsFor(std::string_view mac) const;
};

// The twelve hex digits of a MAC text, upper case, separators (':', '-')
// dropped; empty when the text is no MAC address.
std::string MacDigits(std::string_view mac);

}  // namespace printersim
