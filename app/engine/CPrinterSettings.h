#pragma once
// The settings of one printer that the SET command changes: name, the three
// addresses and the DHCP text ("1", "0", or empty when not told or not sent).
#include <string>

struct CPrinterSettings {
  std::wstring strName;
  std::wstring strIpAddress;
  std::wstring strSubnetMask;
  std::wstring strGateway;
  std::wstring strDhcp;

  bool operator==(const CPrinterSettings&) const = default;
};
