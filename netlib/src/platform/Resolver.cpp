#include "platform/Resolver.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

namespace corvane::detail {
namespace {

struct AddrInfoFree {
  void operator()(addrinfo* p) const { freeaddrinfo(p); }
};

// Entries from the reentrant look-ups; the buffer grows while it is too small.
template <typename Lookup>
bool HostEntryLookup(Lookup lookup, HostEntry& entry) {
  std::vector<char> buffer(4096);
  hostent result{};
  hostent* pFound = nullptr;
  int herr = 0;
  int rc = 0;
  while ((rc = lookup(&result, buffer.data(), buffer.size(), &pFound, &herr)) == ERANGE &&
         buffer.size() < (1u << 20)) {
    buffer.resize(buffer.size() * 2);
  }
  if (rc != 0 || pFound == nullptr) return false;
  entry = HostEntry{};
  entry.strName = pFound->h_name ? pFound->h_name : "";
  for (char** a = pFound->h_aliases; a && *a; ++a) entry.aliases.emplace_back(*a);
  entry.bIPv4 = pFound->h_addrtype == AF_INET;
  if (entry.bIPv4 && pFound->h_length == 4) {
    for (char** a = pFound->h_addr_list; a && *a; ++a) {
      std::uint32_t addr = 0;
      std::memcpy(&addr, *a, 4);
      entry.addresses.push_back(FormatDottedIPv4(addr));
    }
  }
  return true;
}

}  // namespace

bool ParseDottedIPv4(const std::string& text, std::uint32_t& addrNetworkOrder) {
  in_addr addr{};
  if (text.find('\0') != std::string::npos) return false;
  if (inet_pton(AF_INET, text.c_str(), &addr) != 1) return false;
  addrNetworkOrder = addr.s_addr;
  return true;
}

std::string FormatDottedIPv4(std::uint32_t addrNetworkOrder) {
  in_addr addr{};
  addr.s_addr = addrNetworkOrder;
  char text[INET_ADDRSTRLEN] = {};
  if (inet_ntop(AF_INET, &addr, text, sizeof text) == nullptr) return {};
  return text;
}

bool ResolveFirstIPv4(const std::string& name, std::string& ip) {
  if (name.empty() || name.find('\0') != std::string::npos) return false;
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* pList = nullptr;
  if (getaddrinfo(name.c_str(), nullptr, &hints, &pList) != 0 || pList == nullptr) return false;
  std::unique_ptr<addrinfo, AddrInfoFree> list(pList);
  for (const addrinfo* p = list.get(); p; p = p->ai_next) {
    if (p->ai_family == AF_INET && p->ai_addrlen >= sizeof(sockaddr_in)) {
      ip = FormatDottedIPv4(reinterpret_cast<const sockaddr_in*>(p->ai_addr)->sin_addr.s_addr);
      return !ip.empty();
    }
  }
  return false;
}

bool ResolveNameOfIPv4(const std::string& ip, std::string& name) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  if (!ParseDottedIPv4(ip, sa.sin_addr.s_addr)) return false;
  char host[NI_MAXHOST] = {};
  if (getnameinfo(reinterpret_cast<const sockaddr*>(&sa), sizeof sa, host, sizeof host, nullptr,
                  0, NI_NAMEREQD) != 0) {
    return false;
  }
  name = host;
  return !name.empty();
}

bool LookupHostEntry(const std::string& nameOrIp, HostEntry& entry) {
  if (nameOrIp.empty() || nameOrIp.find('\0') != std::string::npos) return false;
  std::uint32_t addr = 0;
  if (ParseDottedIPv4(nameOrIp, addr)) {
    return HostEntryLookup(
        [&](hostent* r, char* b, std::size_t n, hostent** f, int* e) {
          return gethostbyaddr_r(&addr, sizeof addr, AF_INET, r, b, n, f, e);
        },
        entry);
  }
  return HostEntryLookup(
      [&](hostent* r, char* b, std::size_t n, hostent** f, int* e) {
        return gethostbyname_r(nameOrIp.c_str(), r, b, n, f, e);
      },
      entry);
}

bool LocalHostName(std::string& name) {
  char host[260] = {};
  if (gethostname(host, sizeof host - 1) != 0) return false;
  name = host;
  return !name.empty();
}

}  // namespace corvane::detail
