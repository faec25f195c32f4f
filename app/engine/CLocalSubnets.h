#pragma once
// The subnets of this computer's IPv4 interfaces (loopback left out), for
// telling which printers answered from an address this computer reaches
// directly and which from elsewhere: behind a router, or a printer with a
// wrong or factory address that needs configuring.
#include <corvane/CCNetInterfaces.h>
#include <corvane/CorvaneTypes.h>

#include <string>
#include <vector>

class CLocalSubnets {
 public:
  CLocalSubnets() = default;
  explicit CLocalSubnets(const std::vector<CCNetInterfaces::Entry>& entries);

  bool IsEmpty() const { return m_Subnets.empty(); }
  // True when the dotted address lies in none of the subnets. False when
  // it lies in one, is no address, or no subnet is known (nothing to tell).
  bool IsOutside(const std::wstring& strAddress) const;
  // "10.77.0.0/16, 10.88.0.0/16", in the interfaces' order, each once.
  std::wstring Describe() const;

 private:
  struct Subnet {
    DWORD dwNetwork = 0;
    DWORD dwMask = 0;
  };
  std::vector<Subnet> m_Subnets;
};
