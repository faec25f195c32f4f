#pragma once
// The printers asked by unicast: a comma-separated list of addresses
// (10.20.0.5), CIDR blocks (10.20.0.0/28: its host addresses, without the
// network and broadcast address) and ranges (10.20.0.5-10.20.0.40), turned
// into one list of addresses in the order given, each once.
#include <corvane/CorvaneTypes.h>

#include <string>
#include <vector>

class CHostList {
 public:
  // More addresses than this in all are refused: a scan that large belongs
  // to a network tool, and it would take minutes at the paced rate.
  static constexpr std::size_t kMaxAddresses = 4096;

  // Appends the addresses of strHosts (several entries, comma-separated; blanks
  // around them are ignored) to addresses, first octet most significant.
  // False with a message naming the faulty part when an entry is malformed,
  // names no printer address (0.0.0.0, a multicast or broadcast address),
  // or the total would pass kMaxAddresses.
  static bool Parse(const std::wstring& strHosts, std::vector<DWORD>& addresses,
                    std::wstring& strError);

  // A strict dotted-decimal address: four numbers 0..255, nothing else.
  static bool ParseAddress(const std::wstring& strText, DWORD& dwAddress);
};
