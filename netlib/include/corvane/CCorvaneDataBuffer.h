#pragma once
// An owned block of bytes: the value of a DT_BUFFER element.
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <memory>

class CORVANE_EXPORT CCorvaneDataBuffer {
 public:
  CCorvaneDataBuffer() = default;
  CCorvaneDataBuffer(const BYTE* pData, UINT uiSize);
  CCorvaneDataBuffer(const CCorvaneDataBuffer& other);
  CCorvaneDataBuffer& operator=(const CCorvaneDataBuffer& other);
  CCorvaneDataBuffer(CCorvaneDataBuffer&& other) noexcept;
  CCorvaneDataBuffer& operator=(CCorvaneDataBuffer&& other) noexcept;
  virtual ~CCorvaneDataBuffer();

  // Releases the old block and copies uiSize bytes from pData; a size of 0
  // leaves no block. pData may be null only with a size of 0.
  void Set(const BYTE* pData, UINT uiSize);
  const BYTE* GetData() const { return m_pData.get(); }
  UINT GetSize() const { return m_uiSize; }

 private:
  std::unique_ptr<BYTE[]> m_pData;
  UINT m_uiSize = 0;
};
