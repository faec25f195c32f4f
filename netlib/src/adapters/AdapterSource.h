#pragma once
// Where CCNetCardInfo gets its facts: one record per IPv4 adapter, in the
// system's list order, and the inputs for the machine's own address. The
// running system is one source; tests hand in others.
#include <corvane/CorvaneTypes.h>

#include <memory>
#include <string>
#include <vector>

namespace corvane::detail {

struct AdapterAddress {
  std::string strIp;    // dotted decimal
  std::string strMask;  // dotted decimal
};

struct AdapterRecord {
  std::string strName;          // interface name or description
  std::vector<BYTE> hwAddress;  // hardware address bytes, any length
  DWORD dwType = 1;             // 6 Ethernet, 71 wireless, 24 loopback, 1 other
  std::vector<AdapterAddress> addresses;
  std::string strGateway;     // empty when the adapter has none
  std::string strWins;        // empty when the adapter has no WINS server
  std::string strDhcpServer;  // empty when DHCP is off (or not known)
  bool bDefaultRoute = false;  // the adapter holds the default route
};

struct AdapterList {
  std::vector<AdapterRecord> records;
};

// Outcome codes of the adapter queries.
constexpr DWORD kSourceOk = 0;
constexpr DWORD kSourceNotSupported = 50;
constexpr DWORD kSourceNoData = 232;
constexpr DWORD kSourceOtherError = 31;

class AdapterSource {
 public:
  virtual ~AdapterSource() = default;
  // How many IPv4 adapters there are; the card table is sized from this.
  virtual DWORD CountAdapters(DWORD& dwCount) = 0;
  // The adapter list itself, queried separately (it may have changed).
  virtual DWORD ListAdapters(AdapterList& list) = 0;
  // The first IPv4 address the host's own name resolves to; false if none.
  virtual bool HostNameAddress(std::string& strIp) = 0;
};

// The running system: interfaces, routes, lease files, resolver.
std::unique_ptr<AdapterSource> MakeSystemAdapterSource();

}  // namespace corvane::detail
