#pragma once
// One discovered printer: what its answers told, or a placeholder per field.
#include <corvane/CorvaneTypes.h>

#include <string>

struct _DeviceInfo {
  DWORD dwImage = 0;  // list image: 1 model known, 5 model unknown, 0 not yet told
  std::wstring strName;
  std::wstring strModel;
  std::wstring strIpAddress;  // the address its answers come from: the lookup key
  std::wstring strSubnetMask;
  std::wstring strMacAddress;
  std::wstring strGateway;
  std::wstring strDhcp;
};
