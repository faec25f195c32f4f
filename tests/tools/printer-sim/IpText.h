#pragma once
// A dotted address the test knows to be valid.

#include "Ipv4Address.h"

inline printersim::Ipv4Address Ip(const char* text) {
  return printersim::Ipv4Address::Parse(text).value();
}
