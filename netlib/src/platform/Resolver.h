#pragma once
// Host and address look-ups through the system resolver (hosts file, DNS,
// whatever the name-service configuration says). All texts are UTF-8.
#include <cstdint>
#include <string>
#include <vector>

namespace corvane::detail {

struct HostEntry {
  std::string strName;                   // official name
  std::vector<std::string> aliases;      // resolver order
  bool bIPv4 = false;                    // address family is IPv4
  std::vector<std::string> addresses;    // dotted IPv4, resolver order
};

// Strict dotted-quad parse; the result is in network byte order.
bool ParseDottedIPv4(const std::string& text, std::uint32_t& addrNetworkOrder);
std::string FormatDottedIPv4(std::uint32_t addrNetworkOrder);

// The first IPv4 address a name resolves to.
bool ResolveFirstIPv4(const std::string& name, std::string& ip);
// The name a dotted IPv4 address resolves to (a name is required).
bool ResolveNameOfIPv4(const std::string& ip, std::string& name);
// Full entry of a host, looked up by address when the text is dotted IPv4.
bool LookupHostEntry(const std::string& nameOrIp, HostEntry& entry);
// This machine's host name.
bool LocalHostName(std::string& name);

}  // namespace corvane::detail
