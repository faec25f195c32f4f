#pragma once
// Which IPv4 address is this machine's own. The host name's first address
// counts when one of the adapters holds it; many Linux hosts name themselves
// 127.0.1.1, and then the first address of the adapter that holds the
// default route serves instead. With neither, the host name's address is
// still the answer (it then matches no card).
#include <string>

#include "adapters/AdapterSource.h"

namespace corvane::detail {

bool ChooseOwnAddress(bool bHostResolved, const std::string& strHostIp, const AdapterList& list,
                      std::string& strOwnIp);

}  // namespace corvane::detail
