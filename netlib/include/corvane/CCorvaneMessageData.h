#pragma once
// One typed element of a CCorvaneMessage. Numbers live in the low-order bytes
// of an 8-byte field (the rest 0), strings and buffers in their own members.
#include <corvane/CCorvaneDataBuffer.h>
#include <corvane/CorvaneDataType.h>
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <cstdint>
#include <string>

class CORVANE_EXPORT CCorvaneMessageData {
 public:
  // An empty string element (DT_STRING).
  CCorvaneMessageData() = default;
  explicit CCorvaneMessageData(BYTE value);
  explicit CCorvaneMessageData(char value);
  explicit CCorvaneMessageData(WORD value);
  explicit CCorvaneMessageData(short value);
  explicit CCorvaneMessageData(unsigned int value);   // DT_UINT
  explicit CCorvaneMessageData(int value);            // DT_INT
  explicit CCorvaneMessageData(unsigned long value);  // DT_DWORD, low 32 bits
  explicit CCorvaneMessageData(long value);           // DT_LONG, low 32 bits
  explicit CCorvaneMessageData(float value);
  explicit CCorvaneMessageData(double value);
  explicit CCorvaneMessageData(const std::wstring& value);
  CCorvaneMessageData(const BYTE* pData, UINT uiSize);
  CCorvaneMessageData(const CCorvaneMessageData&) = default;
  CCorvaneMessageData& operator=(const CCorvaneMessageData&) = default;
  CCorvaneMessageData(CCorvaneMessageData&&) noexcept = default;
  CCorvaneMessageData& operator=(CCorvaneMessageData&&) noexcept = default;
  virtual ~CCorvaneMessageData();

  // The 8-byte value field: numbers in the low-order bytes, 0 for strings and
  // buffers. Bit i of the integer is bit i of the little-endian field.
  std::uint64_t m_value = 0;
  CorvaneDataType m_type = DT_STRING;
  std::wstring m_strValue;
  CCorvaneDataBuffer m_buffer;
};
