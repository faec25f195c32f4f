#include "transport/BroadcastAddress.h"

#include <corvane/CCNetCardInfo.h>
#include <corvane/CCorvaneFunctions.h>

namespace corvane::detail {

std::wstring LocalAdapterAddress() {
  const CCNetCardInfo cards;
  return cards.GetNetCardIPAddress(CCNetCardInfo::kDefaultCard);
}

std::wstring SubnetBroadcastAddress() {
  const CCNetCardInfo cards;
  return DirectedBroadcast(cards.GetNetCardIPAddress(CCNetCardInfo::kDefaultCard),
                           cards.GetNetCardSubnetMask(CCNetCardInfo::kDefaultCard));
}

std::wstring DirectedBroadcast(const std::wstring& strAddress, const std::wstring& strMask) {
  const CCorvaneFunctions functions;
  const DWORD address = functions.strIpToDword(strAddress);
  const DWORD mask = functions.strIpToDword(strMask);
  return functions.dwordToStrIp(~mask | address);
}

}  // namespace corvane::detail
