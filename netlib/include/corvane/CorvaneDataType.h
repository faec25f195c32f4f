#pragma once
// Element codes of a CCorvaneMessage. On the wire the code is one byte.
#include <cstdint>

enum CorvaneDataType : std::int32_t {
  DT_BYTE = 0,    // unsigned 8-bit
  DT_CHAR = 1,    // signed 8-bit character
  DT_WORD = 2,    // unsigned 16-bit
  DT_SHORT = 3,   // signed 16-bit
  DT_UINT = 4,    // unsigned 32-bit
  DT_INT = 5,     // signed 32-bit
  DT_DWORD = 6,   // unsigned 32-bit
  DT_LONG = 7,    // signed 32-bit
  DT_FLOAT = 8,   // 32-bit IEEE 754
  DT_DOUBLE = 9,  // 64-bit IEEE 754
  DT_STRING = 10, // wide string
  DT_BUFFER = 11  // byte buffer with a 32-bit length
};
