#include <corvane/CCorvaneMessageData.h>

#include <cstring>

namespace {

// Low-order `width` bytes of the value, the rest 0.
template <typename T>
std::uint64_t LowBytes(T value) {
  std::uint64_t bits = 0;
  std::memcpy(&bits, &value, sizeof(T) < 4 ? sizeof(T) : 4);
  if constexpr (sizeof(T) == 1) bits &= 0xFFu;
  if constexpr (sizeof(T) == 2) bits &= 0xFFFFu;
  return bits;
}

}  // namespace

CCorvaneMessageData::CCorvaneMessageData(BYTE value) : m_value(value), m_type(DT_BYTE) {}
CCorvaneMessageData::CCorvaneMessageData(char value)
    : m_value(static_cast<unsigned char>(value)), m_type(DT_CHAR) {}
CCorvaneMessageData::CCorvaneMessageData(WORD value) : m_value(value), m_type(DT_WORD) {}
CCorvaneMessageData::CCorvaneMessageData(short value)
    : m_value(static_cast<std::uint16_t>(value)), m_type(DT_SHORT) {}
CCorvaneMessageData::CCorvaneMessageData(unsigned int value) : m_value(value), m_type(DT_UINT) {}
CCorvaneMessageData::CCorvaneMessageData(int value)
    : m_value(static_cast<std::uint32_t>(value)), m_type(DT_INT) {}
CCorvaneMessageData::CCorvaneMessageData(unsigned long value)
    : m_value(static_cast<std::uint32_t>(value)), m_type(DT_DWORD) {}
CCorvaneMessageData::CCorvaneMessageData(long value)
    : m_value(static_cast<std::uint32_t>(value)), m_type(DT_LONG) {}
CCorvaneMessageData::CCorvaneMessageData(float value) : m_value(LowBytes(value)), m_type(DT_FLOAT) {}
CCorvaneMessageData::CCorvaneMessageData(double value) : m_type(DT_DOUBLE) {
  std::memcpy(&m_value, &value, sizeof value);
}
CCorvaneMessageData::CCorvaneMessageData(const std::wstring& value)
    : m_type(DT_STRING), m_strValue(value) {}
CCorvaneMessageData::CCorvaneMessageData(const BYTE* pData, UINT uiSize)
    : m_type(DT_BUFFER), m_buffer(pData, uiSize) {}

CCorvaneMessageData::~CCorvaneMessageData() = default;
