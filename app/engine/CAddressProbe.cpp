#include "CAddressProbe.h"

#include "CHostList.h"
#include "EnginePlatform.h"

#include <corvane/CCorvaneFunctions.h>

std::wstring CAddressProbe::NeighbourMac(const std::wstring& strIp) {
  std::wstring strMac;
  return CCorvaneFunctions().GetClientMacAddress(strIp, strMac) ? strMac : std::wstring();
}

IAddressProbe::EEcho CAddressProbe::Echo(const std::wstring& strIp) {
  DWORD dwAddress = 0;
  if (!CHostList::ParseAddress(strIp, dwAddress)) return EEcho::kSilent;
  switch (EnginePlatform::IcmpEcho(dwAddress, kEchoTimeoutMs)) {
    case EnginePlatform::EchoResult::kAnswered: return EEcho::kAnswered;
    case EnginePlatform::EchoResult::kNotAllowed: return EEcho::kNotAllowed;
    default: return EEcho::kSilent;
  }
}
