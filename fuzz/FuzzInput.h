#pragma once
// Takes a fuzzer's input apart from the front: single bytes, 16-bit numbers
// and runs of bytes, then the rest as one block. An input that runs short
// gives zeros and short runs, never a read past its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* pData, std::size_t uiSize) : m_pData(pData), m_uiLeft(uiSize) {}

  std::uint8_t Byte() {
    if (m_uiLeft == 0) return 0;
    --m_uiLeft;
    return *m_pData++;
  }
  std::uint16_t Word() { return static_cast<std::uint16_t>(Byte() | Byte() << 8); }
  // At most uiCount bytes.
  std::string Bytes(std::size_t uiCount) {
    const std::size_t n = uiCount < m_uiLeft ? uiCount : m_uiLeft;
    std::string bytes(reinterpret_cast<const char*>(m_pData), n);
    m_pData += n;
    m_uiLeft -= n;
    return bytes;
  }
  // A run whose length is the next byte.
  std::string ShortRun() { return Bytes(Byte()); }
  std::string Rest() { return Bytes(m_uiLeft); }
  bool Empty() const { return m_uiLeft == 0; }

 private:
  const std::uint8_t* m_pData;
  std::size_t m_uiLeft;
};

// A broken invariant is a finding: abort, so that the fuzzer keeps the input.
inline void Require(bool bCondition) {
  if (!bCondition) std::abort();
}

// Bytes as characters of the same value, as the programs read wire texts.
inline std::wstring Widen(const std::string& bytes) {
  std::wstring text;
  for (unsigned char c : bytes) text.push_back(static_cast<wchar_t>(c));
  return text;
}
