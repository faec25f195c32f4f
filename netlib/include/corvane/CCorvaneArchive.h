#pragma once
// Byte archive of the message framework: a stream with a direction. A storing
// archive buffers what is written and hands it to its sink on Flush (or when
// the buffer is full); a loading archive reads from a block of bytes held by
// the caller. Numbers are little-endian. Errors are sticky: after the first
// one every read yields zeros and every write is dropped, and GetError tells
// what went wrong, so no operation throws.
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CORVANE_EXPORT CCorvaneArchive {
 public:
  enum Error : std::int32_t {
    kNone = 0,
    kWrongDirection = 1,  // reading a storing archive or writing a loading one
    kEndOfFile = 2,       // the bytes ended in the middle of a value
    kFileError = 3,       // the sink refused the bytes
    kTooLarge = 4,        // a length beyond what the archive accepts
  };

  // Receives the bytes of a storing archive. Returns false on failure.
  class Sink {
   public:
    virtual ~Sink() = default;
    virtual bool Write(const BYTE* pData, std::size_t uiLength) = 0;
  };

  static constexpr std::size_t kDefaultBufferSize = 4096;

  // A storing archive that writes to sink (which must outlive the archive).
  explicit CCorvaneArchive(Sink& sink, std::size_t uiBufferSize = kDefaultBufferSize);
  // A loading archive over uiLength bytes at pData (which must stay valid).
  CCorvaneArchive(const BYTE* pData, std::size_t uiLength);
  CCorvaneArchive(const CCorvaneArchive&) = delete;
  CCorvaneArchive& operator=(const CCorvaneArchive&) = delete;
  virtual ~CCorvaneArchive();

  bool IsStoring() const { return m_pSink != nullptr; }
  bool IsLoading() const { return m_pSink == nullptr; }
  Error GetError() const { return m_error; }
  bool IsOk() const { return m_error == kNone; }

  // Storing: hands buffered bytes to the sink. Returns false on any error.
  bool Flush();
  // Storing: discards the bytes not yet handed to the sink and clears errors.
  void Abort();

  // Loading: bytes not read yet (the buffer is empty when this is 0).
  std::size_t GetUnreadCount() const { return m_uiLength - m_uiPos; }

  void WriteBytes(const void* pData, std::size_t uiLength);
  void WriteUInt(std::uint64_t value, std::size_t uiWidth);
  // Writes the string format: FF, tag FFFE, escalating length, UTF-16LE.
  void WriteString(const std::wstring& str);

  // Loading. Reads fail (kEndOfFile) when fewer than uiLength bytes remain.
  bool ReadBytes(void* pData, std::size_t uiLength);
  std::uint64_t ReadUInt(std::size_t uiWidth);
  // Reads a string in either the wide or the 8-bit form (bytes taken as
  // characters 0-255). Checks the length against the bytes left first.
  std::wstring ReadString();

  // Raises an error unless one is already set.
  void SetError(Error error);

 private:
  bool CheckDirection(bool bStoring);

  Sink* m_pSink = nullptr;
  std::vector<BYTE> m_buffer;
  std::size_t m_uiBufferSize = 0;
  const BYTE* m_pData = nullptr;
  std::size_t m_uiLength = 0;
  std::size_t m_uiPos = 0;
  Error m_error = kNone;
};
