#include "adapters/OwnAddress.h"

#include <algorithm>

namespace corvane::detail {

bool ChooseOwnAddress(bool bHostResolved, const std::string& strHostIp, const AdapterList& list,
                      std::string& strOwnIp) {
  const auto& records = list.records;
  const bool hostOnAdapter =
      bHostResolved && std::any_of(records.begin(), records.end(), [&](const AdapterRecord& r) {
        return std::any_of(r.addresses.begin(), r.addresses.end(),
                           [&](const AdapterAddress& a) { return a.strIp == strHostIp; });
      });
  if (hostOnAdapter) {
    strOwnIp = strHostIp;
    return true;
  }
  auto route = std::find_if(records.begin(), records.end(), [](const AdapterRecord& r) {
    return r.bDefaultRoute && !r.addresses.empty();
  });
  if (route != records.end()) {
    strOwnIp = route->addresses.front().strIp;
    return true;
  }
  if (bHostResolved && !strHostIp.empty()) {
    strOwnIp = strHostIp;
    return true;
  }
  return false;
}

}  // namespace corvane::detail
