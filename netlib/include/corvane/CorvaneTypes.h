#pragma once
// Integer names of corvane's exported interface. They keep the widths that
// programs of this family were written against, so that they port unchanged.
#include <cstdint>

using DWORD = std::uint32_t;  // 32-bit unsigned
using BOOL = std::int32_t;    // 32-bit flag: 0 false, 1 true
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using UINT = std::uint32_t;
