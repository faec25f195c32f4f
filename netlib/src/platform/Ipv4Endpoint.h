#pragma once
// An IPv4 address and port, both in host byte order (first octet most significant).
#include <corvane/CorvaneTypes.h>

namespace corvane::platform {

struct Ipv4Endpoint {
  DWORD address = 0;
  WORD port = 0;
};

inline constexpr DWORD kAnyAddress = 0;

}  // namespace corvane::platform
