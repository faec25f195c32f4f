#pragma once
// The 32-bit millisecond tick count that pings carry. It wraps after about
// 49.7 days; elapsed times are computed in 32-bit unsigned arithmetic.
#include <corvane/CorvaneTypes.h>

#include <functional>

namespace corvane::detail {

DWORD TickCount();
// Replaces the clock (tests); an empty function restores the real one.
void SetTickCountSource(std::function<DWORD()> source);

}  // namespace corvane::detail
