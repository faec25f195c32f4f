#pragma once
// The typed message of the message framework: an id and an ordered list of
// typed elements. Its serialised form (see Serialize) is the wire format of
// the client/server stream.
//
// The twelve value types map to C++ types as follows: BYTE, char, WORD,
// short, unsigned int (DT_UINT), int (DT_INT), unsigned long (DT_DWORD),
// long (DT_LONG), float, double, std::wstring, and a byte pointer with a
// length (DT_BUFFER). DT_DWORD and DT_LONG hold 32 bits: a wider long is
// stored by its low 32 bits. Note that DWORD of CorvaneTypes.h is unsigned int
// and therefore stores DT_UINT; cast to unsigned long to store DT_DWORD.
#include <corvane/CCorvaneMessageData.h>
#include <corvane/CorvaneDataType.h>
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCorvaneArchive;
namespace corvane::detail {
struct MessageAccess;
}

class CORVANE_EXPORT CCorvaneMessage {
 public:
  // Largest serialised message the framework sends or accepts: 32 MiB. A
  // peer announcing more has its connection dropped as a receive failure.
  static constexpr std::size_t kMaxWireSize = 32u * 1024u * 1024u;
  // Most elements a message the framework sends or accepts may hold; loaded,
  // they take at most about 90 MiB. SetAt refuses an index at or past it.
  static constexpr std::int32_t kMaxElements = 1 << 20;

  CCorvaneMessage() = default;
  explicit CCorvaneMessage(std::int32_t lId);
  CCorvaneMessage(const CCorvaneMessage& other);
  CCorvaneMessage& operator=(const CCorvaneMessage& other);
  CCorvaneMessage(CCorvaneMessage&& other) noexcept;
  CCorvaneMessage& operator=(CCorvaneMessage&& other) noexcept;
  virtual ~CCorvaneMessage();

  // Creation by class name: "CCorvaneMessage".
  static std::unique_ptr<CCorvaneMessage> CreateObject();
  virtual const char* GetRuntimeClass() const;

  void SetId(std::int32_t lId) { m_lId = lId; }
  std::int32_t GetId() const { return m_lId; }
  std::int64_t GetNbElements() const { return static_cast<std::int64_t>(m_arData.size()); }
  // The element's code; DT_STRING for an index outside the list.
  CorvaneDataType GetDataTypeAt(std::int32_t lIndex) const;

  void Add(BYTE value);
  void Add(char value);
  void Add(WORD value);
  void Add(short value);
  void Add(unsigned int value);
  void Add(int value);
  void Add(unsigned long value);
  void Add(long value);
  void Add(float value);
  void Add(double value);
  void Add(const std::wstring& value);
  void Add(const BYTE* pData, UINT uiSize);

  // A negative index does nothing, nor does one at or past kMaxElements (no
  // peer would accept that message); an index at or past the end first grows
  // the list with empty string elements.
  void SetAt(std::int32_t lIndex, BYTE value);
  void SetAt(std::int32_t lIndex, char value);
  void SetAt(std::int32_t lIndex, WORD value);
  void SetAt(std::int32_t lIndex, short value);
  void SetAt(std::int32_t lIndex, unsigned int value);
  void SetAt(std::int32_t lIndex, int value);
  void SetAt(std::int32_t lIndex, unsigned long value);
  void SetAt(std::int32_t lIndex, long value);
  void SetAt(std::int32_t lIndex, float value);
  void SetAt(std::int32_t lIndex, double value);
  void SetAt(std::int32_t lIndex, const std::wstring& value);
  void SetAt(std::int32_t lIndex, const BYTE* pData, UINT uiSize);

  // An index outside the list leaves the output as it was. The element's code
  // is not checked: numbers come from the low-order bytes of its value field,
  // a string output gets the string member (empty unless DT_STRING), and a
  // buffer is copied (at most uiCapacity bytes) only from a DT_BUFFER element.
  void GetAt(std::int32_t lIndex, BYTE& value) const;
  void GetAt(std::int32_t lIndex, char& value) const;
  void GetAt(std::int32_t lIndex, WORD& value) const;
  void GetAt(std::int32_t lIndex, short& value) const;
  void GetAt(std::int32_t lIndex, unsigned int& value) const;
  void GetAt(std::int32_t lIndex, int& value) const;
  void GetAt(std::int32_t lIndex, unsigned long& value) const;
  void GetAt(std::int32_t lIndex, long& value) const;
  void GetAt(std::int32_t lIndex, float& value) const;
  void GetAt(std::int32_t lIndex, double& value) const;
  void GetAt(std::int32_t lIndex, std::wstring& value) const;
  void GetAt(std::int32_t lIndex, BYTE* pDest, UINT uiCapacity) const;

  // GetAt at the cursor; the cursor advances by one in every case.
  template <typename T>
  void GetNext(T& value) { GetAt(m_lCurrentIndex++, value); }
  void GetNext(BYTE* pDest, UINT uiCapacity) { GetAt(m_lCurrentIndex++, pDest, uiCapacity); }

  void ResetCurrentIndex() { m_lCurrentIndex = 0; }
  std::int32_t GetCurrentIndex() const { return m_lCurrentIndex; }
  int IsLastCurrentIndex() const { return m_lCurrentIndex >= GetNbElements() ? 1 : 0; }

  // Stores into or loads from the archive, depending on its direction, and
  // rewinds the cursor. Does not flush. On a loading error the archive tells
  // the error and the message is left empty.
  virtual void Serialize(CCorvaneArchive& ar);

 private:
  friend struct corvane::detail::MessageAccess;
  int IsValidSetIndex(std::int32_t lIndex) const { return lIndex >= 0 && lIndex < kMaxElements ? 1 : 0; }
  int IsValidGetIndex(std::int32_t lIndex) const {
    return lIndex >= 0 && lIndex < GetNbElements() ? 1 : 0;
  }
  void Put(std::int32_t lIndex, CCorvaneMessageData&& data);
  const CCorvaneMessageData* Find(std::int32_t lIndex) const;
  void Store(CCorvaneArchive& ar) const;
  void Load(CCorvaneArchive& ar);

  std::int32_t m_lId = 0;
  std::int32_t m_lCurrentIndex = 0;
  std::vector<CCorvaneMessageData> m_arData;
};
