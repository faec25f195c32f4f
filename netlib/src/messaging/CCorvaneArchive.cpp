#include <corvane/CCorvaneArchive.h>

#include <cstring>

#include "messaging/StringHeader.h"
#include "messaging/Utf16.h"

using corvane::detail::ParseStringHeader;
using corvane::detail::StringHeader;

CCorvaneArchive::CCorvaneArchive(Sink& sink, std::size_t uiBufferSize)
    : m_pSink(&sink), m_uiBufferSize(uiBufferSize == 0 ? kDefaultBufferSize : uiBufferSize) {
  m_buffer.reserve(m_uiBufferSize);
}

CCorvaneArchive::CCorvaneArchive(const BYTE* pData, std::size_t uiLength)
    : m_pData(pData), m_uiLength(pData == nullptr ? 0 : uiLength) {}

CCorvaneArchive::~CCorvaneArchive() = default;

void CCorvaneArchive::SetError(Error error) {
  if (m_error == kNone) m_error = error;
}

bool CCorvaneArchive::CheckDirection(bool bStoring) {
  if (IsStoring() != bStoring) SetError(kWrongDirection);
  return m_error == kNone;
}

bool CCorvaneArchive::Flush() {
  if (!CheckDirection(true)) return false;
  if (!m_buffer.empty() && !m_pSink->Write(m_buffer.data(), m_buffer.size())) {
    SetError(kFileError);
  }
  m_buffer.clear();
  return m_error == kNone;
}

void CCorvaneArchive::Abort() {
  m_buffer.clear();
  m_error = kNone;
}

void CCorvaneArchive::WriteBytes(const void* pData, std::size_t uiLength) {
  if (!CheckDirection(true) || uiLength == 0) return;
  if (m_buffer.size() + uiLength > m_uiBufferSize) {
    if (!Flush()) return;
    if (uiLength >= m_uiBufferSize) {  // too big to buffer: straight through
      if (!m_pSink->Write(static_cast<const BYTE*>(pData), uiLength)) SetError(kFileError);
      return;
    }
  }
  const auto* p = static_cast<const BYTE*>(pData);
  m_buffer.insert(m_buffer.end(), p, p + uiLength);
}

void CCorvaneArchive::WriteUInt(std::uint64_t value, std::size_t uiWidth) {
  BYTE bytes[8];
  for (std::size_t i = 0; i < uiWidth && i < 8; ++i) bytes[i] = static_cast<BYTE>(value >> (8 * i));
  WriteBytes(bytes, uiWidth < 8 ? uiWidth : 8);
}

void CCorvaneArchive::WriteString(const std::wstring& str) {
  std::u16string units = corvane::detail::ToUtf16(str);
  std::uint64_t n = units.size();
  WriteUInt(0xFF, 1);
  WriteUInt(0xFFFE, 2);
  if (n < 0xFF) {
    WriteUInt(n, 1);
  } else {
    WriteUInt(0xFF, 1);
    if (n < 0xFFFE) {
      WriteUInt(n, 2);
    } else {
      WriteUInt(0xFFFF, 2);
      if (n < 0xFFFFFFFFu) {
        WriteUInt(n, 4);
      } else {
        WriteUInt(0xFFFFFFFFu, 4);
        WriteUInt(n, 8);
      }
    }
  }
  for (char16_t unit : units) WriteUInt(unit, 2);
}

bool CCorvaneArchive::ReadBytes(void* pData, std::size_t uiLength) {
  if (!CheckDirection(false)) return false;
  if (GetUnreadCount() < uiLength) {
    SetError(kEndOfFile);
    return false;
  }
  if (uiLength != 0) std::memcpy(pData, m_pData + m_uiPos, uiLength);
  m_uiPos += uiLength;
  return true;
}

std::uint64_t CCorvaneArchive::ReadUInt(std::size_t uiWidth) {
  BYTE bytes[8] = {};
  if (uiWidth > 8 || !ReadBytes(bytes, uiWidth)) return 0;
  std::uint64_t v = 0;
  for (std::size_t i = 0; i < uiWidth; ++i) v |= std::uint64_t{bytes[i]} << (8 * i);
  return v;
}

std::wstring CCorvaneArchive::ReadString() {
  if (!CheckDirection(false)) return {};
  StringHeader header;
  if (!ParseStringHeader(m_pData + m_uiPos, GetUnreadCount(), header)) {
    SetError(kEndOfFile);
    return {};
  }
  m_uiPos += header.uiHeaderSize;
  // Checked against the bytes present before anything is allocated.
  if (corvane::detail::StringPayloadSize(header) > GetUnreadCount()) {
    SetError(kEndOfFile);
    return {};
  }
  const BYTE* p = m_pData + m_uiPos;
  auto n = static_cast<std::size_t>(header.uiLength);
  std::wstring text;
  if (header.bWide) {
    std::u16string units(n, u'\0');
    for (std::size_t i = 0; i < n; ++i) units[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    text = corvane::detail::FromUtf16(units.data(), n);
    m_uiPos += 2 * n;
  } else {
    text.assign(p, p + n);  // one byte per character
    m_uiPos += n;
  }
  return text;
}
