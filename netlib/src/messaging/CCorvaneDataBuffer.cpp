#include <corvane/CCorvaneDataBuffer.h>

#include <cstring>
#include <utility>

CCorvaneDataBuffer::CCorvaneDataBuffer(const BYTE* pData, UINT uiSize) { Set(pData, uiSize); }

CCorvaneDataBuffer::CCorvaneDataBuffer(const CCorvaneDataBuffer& other) {
  Set(other.m_pData.get(), other.m_uiSize);
}

CCorvaneDataBuffer& CCorvaneDataBuffer::operator=(const CCorvaneDataBuffer& other) {
  if (this != &other) Set(other.m_pData.get(), other.m_uiSize);
  return *this;
}

CCorvaneDataBuffer::CCorvaneDataBuffer(CCorvaneDataBuffer&& other) noexcept
    : m_pData(std::move(other.m_pData)), m_uiSize(std::exchange(other.m_uiSize, 0)) {}

CCorvaneDataBuffer& CCorvaneDataBuffer::operator=(CCorvaneDataBuffer&& other) noexcept {
  m_pData = std::move(other.m_pData);
  m_uiSize = std::exchange(other.m_uiSize, 0);
  return *this;
}

CCorvaneDataBuffer::~CCorvaneDataBuffer() = default;

void CCorvaneDataBuffer::Set(const BYTE* pData, UINT uiSize) {
  m_pData.reset();
  m_uiSize = uiSize;
  if (uiSize == 0) return;
  m_pData = std::make_unique_for_overwrite<BYTE[]>(uiSize);
  if (pData != nullptr) {
    std::memcpy(m_pData.get(), pData, uiSize);
  } else {
    std::memset(m_pData.get(), 0, uiSize);
  }
}
