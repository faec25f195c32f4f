#include <corvane/CCorvaneArchive.h>
#include <corvane/CCorvaneMessage.h>

#include <algorithm>
#include <cstring>

CCorvaneMessage::CCorvaneMessage(std::int32_t lId) : m_lId(lId) {}

CCorvaneMessage::CCorvaneMessage(const CCorvaneMessage& other) = default;

CCorvaneMessage& CCorvaneMessage::operator=(const CCorvaneMessage& other) {
  if (this != &other) {
    m_lId = other.m_lId;
    m_lCurrentIndex = other.m_lCurrentIndex;
    m_arData = other.m_arData;
  }
  return *this;
}

CCorvaneMessage::CCorvaneMessage(CCorvaneMessage&& other) noexcept = default;
CCorvaneMessage& CCorvaneMessage::operator=(CCorvaneMessage&& other) noexcept = default;

CCorvaneMessage::~CCorvaneMessage() = default;

std::unique_ptr<CCorvaneMessage> CCorvaneMessage::CreateObject() {
  return std::make_unique<CCorvaneMessage>();
}

const char* CCorvaneMessage::GetRuntimeClass() const { return "CCorvaneMessage"; }

CorvaneDataType CCorvaneMessage::GetDataTypeAt(std::int32_t lIndex) const {
  const CCorvaneMessageData* p = Find(lIndex);
  return p != nullptr ? p->m_type : DT_STRING;
}

const CCorvaneMessageData* CCorvaneMessage::Find(std::int32_t lIndex) const {
  return IsValidGetIndex(lIndex) ? &m_arData[static_cast<std::size_t>(lIndex)] : nullptr;
}

void CCorvaneMessage::Put(std::int32_t lIndex, CCorvaneMessageData&& data) {
  if (!IsValidSetIndex(lIndex)) return;
  auto index = static_cast<std::size_t>(lIndex);
  if (index >= m_arData.size()) m_arData.resize(index + 1);
  m_arData[index] = std::move(data);
}

// Add and SetAt for every value type.
#define CORVANE_STORE_OVERLOADS(T)                                                    \
  void CCorvaneMessage::Add(T value) { m_arData.emplace_back(value); }              \
  void CCorvaneMessage::SetAt(std::int32_t lIndex, T value) {                       \
    Put(lIndex, CCorvaneMessageData(value));                                        \
  }
CORVANE_STORE_OVERLOADS(BYTE)
CORVANE_STORE_OVERLOADS(char)
CORVANE_STORE_OVERLOADS(WORD)
CORVANE_STORE_OVERLOADS(short)
CORVANE_STORE_OVERLOADS(unsigned int)
CORVANE_STORE_OVERLOADS(int)
CORVANE_STORE_OVERLOADS(unsigned long)
CORVANE_STORE_OVERLOADS(long)
CORVANE_STORE_OVERLOADS(float)
CORVANE_STORE_OVERLOADS(double)
CORVANE_STORE_OVERLOADS(const std::wstring&)
#undef CORVANE_STORE_OVERLOADS

void CCorvaneMessage::Add(const BYTE* pData, UINT uiSize) { m_arData.emplace_back(pData, uiSize); }

void CCorvaneMessage::SetAt(std::int32_t lIndex, const BYTE* pData, UINT uiSize) {
  Put(lIndex, CCorvaneMessageData(pData, uiSize));
}

// GetAt for the numbers: the requested width from the low-order bytes.
#define CORVANE_READ_NUMBER(T, Stored)                                    \
  void CCorvaneMessage::GetAt(std::int32_t lIndex, T& value) const {      \
    if (const CCorvaneMessageData* p = Find(lIndex)) {                    \
      Stored low;                                                         \
      std::memcpy(&low, &p->m_value, sizeof low);                         \
      value = static_cast<T>(low);                                        \
    }                                                                     \
  }
CORVANE_READ_NUMBER(BYTE, std::uint8_t)
CORVANE_READ_NUMBER(char, std::int8_t)
CORVANE_READ_NUMBER(WORD, std::uint16_t)
CORVANE_READ_NUMBER(short, std::int16_t)
CORVANE_READ_NUMBER(unsigned int, std::uint32_t)
CORVANE_READ_NUMBER(int, std::int32_t)
CORVANE_READ_NUMBER(unsigned long, std::uint32_t)
CORVANE_READ_NUMBER(long, std::int32_t)
CORVANE_READ_NUMBER(float, float)
CORVANE_READ_NUMBER(double, double)
#undef CORVANE_READ_NUMBER

void CCorvaneMessage::GetAt(std::int32_t lIndex, std::wstring& value) const {
  if (const CCorvaneMessageData* p = Find(lIndex)) value = p->m_strValue;
}

void CCorvaneMessage::GetAt(std::int32_t lIndex, BYTE* pDest, UINT uiCapacity) const {
  const CCorvaneMessageData* p = Find(lIndex);
  if (p == nullptr || p->m_type != DT_BUFFER || pDest == nullptr) return;
  UINT n = std::min(uiCapacity, p->m_buffer.GetSize());
  if (n != 0) std::memcpy(pDest, p->m_buffer.GetData(), n);
}

void CCorvaneMessage::Serialize(CCorvaneArchive& ar) {
  if (ar.IsStoring()) {
    Store(ar);
  } else {
    Load(ar);
  }
  m_lCurrentIndex = 0;
}

namespace {

void PutLe(BYTE* p, std::uint64_t value, std::size_t width) {
  for (std::size_t i = 0; i < width; ++i) p[i] = static_cast<BYTE>(value >> (8 * i));
}

}  // namespace

void CCorvaneMessage::Store(CCorvaneArchive& ar) const {
  BYTE header[8];
  PutLe(header, static_cast<std::uint32_t>(m_lId), 4);
  PutLe(header + 4, static_cast<std::uint32_t>(m_arData.size()), 4);
  ar.WriteBytes(header, sizeof header);
  for (const CCorvaneMessageData& e : m_arData) {
    if (e.m_type == DT_STRING) {
      ar.WriteUInt(static_cast<std::uint8_t>(e.m_type), 1);
      ar.WriteString(e.m_strValue);
    } else if (e.m_type == DT_BUFFER) {
      BYTE head[5] = {static_cast<BYTE>(e.m_type)};
      PutLe(head + 1, e.m_buffer.GetSize(), 4);
      ar.WriteBytes(head, sizeof head);
      ar.WriteBytes(e.m_buffer.GetData(), e.m_buffer.GetSize());
    } else {
      BYTE number[9] = {static_cast<BYTE>(e.m_type)};
      PutLe(number + 1, e.m_value, 8);
      ar.WriteBytes(number, sizeof number);
    }
  }
}

void CCorvaneMessage::Load(CCorvaneArchive& ar) {
  m_arData.clear();
  m_lId = static_cast<std::int32_t>(ar.ReadUInt(4));
  auto lCount = static_cast<std::int32_t>(ar.ReadUInt(4));
  // Every element takes at least 2 bytes, so the bytes left bound the count
  // that is worth reserving.
  if (lCount > 0 && ar.IsOk()) {
    m_arData.reserve(std::min<std::size_t>(static_cast<std::size_t>(lCount), ar.GetUnreadCount() / 2));
  }
  for (std::int32_t i = 0; i < lCount && ar.IsOk(); ++i) {
    CCorvaneMessageData e;
    e.m_type = static_cast<CorvaneDataType>(ar.ReadUInt(1));
    if (e.m_type == DT_STRING) {
      e.m_strValue = ar.ReadString();
    } else if (e.m_type == DT_BUFFER) {
      auto uiSize = static_cast<std::uint32_t>(ar.ReadUInt(4));
      if (uiSize > ar.GetUnreadCount()) {
        ar.SetError(CCorvaneArchive::kEndOfFile);
        break;
      }
      std::vector<BYTE> bytes(uiSize);
      ar.ReadBytes(bytes.data(), uiSize);
      e.m_buffer.Set(bytes.data(), uiSize);
    } else {
      e.m_value = ar.ReadUInt(8);
    }
    m_arData.push_back(std::move(e));
  }
  if (!ar.IsOk()) m_arData.clear();
}
