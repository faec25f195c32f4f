// Frame codec, hexadecimal dumps and IPv4 text conversions.
#include <corvane/CCorvaneFunctions.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "codec/WireText.h"

using corvane::detail::FromWireBytes;
using corvane::detail::ToWireBytes;

CCorvaneFunctions::~CCorvaneFunctions() = default;

BOOL CCorvaneFunctions::FormatEthBuffToSend(BYTE* pBuffer, DWORD& dwLength, std::wstring strTag,
                                            std::wstring strCode, const BYTE* pData,
                                            DWORD dwDataLength, BYTE btStart,
                                            BYTE btEnd) const {
  const std::string header = ToWireBytes(strTag + strCode);
  // 64-bit sum: a huge data length must not wrap into a small frame.
  const unsigned long long total = header.size() + 2ULL + dwDataLength;
  if (total > kMaxFrame) return 0;
  if ((pBuffer == nullptr && dwLength > 0) || (pData == nullptr && dwDataLength > 0)) return 0;

  std::array<BYTE, kMaxFrame> work{};
  std::memcpy(work.data(), header.data(), header.size());
  work[header.size()] = btStart;
  if (dwDataLength > 0) std::memcpy(work.data() + header.size() + 1, pData, dwDataLength);
  work[total - 1] = btEnd;

  if (dwLength >= total) {
    dwLength = static_cast<DWORD>(total);
    std::memcpy(pBuffer, work.data(), total);
    return 1;
  }
  if (dwLength > 0) std::memcpy(pBuffer, work.data(), dwLength);
  return 0;
}

BOOL CCorvaneFunctions::GetDataEthAnswer(BYTE* pBuffer, DWORD& dwLength, std::wstring strTag,
                                         std::wstring strCode, const BYTE* pReceived,
                                         DWORD dwReceived) const {
  if (dwReceived > kMaxFrame || pReceived == nullptr) return 0;
  const std::size_t tagLen = strTag.size();
  const std::size_t codeLen = strCode.size();
  // A frame shorter than its header cannot carry it; never read past it.
  if (tagLen + codeLen > dwReceived) return 0;
  if (FromWireBytes(pReceived, tagLen) != strTag) return 0;
  if (FromWireBytes(pReceived + tagLen, codeLen) != strCode) return 0;

  // Start and end byte are skipped unchecked. A frame without room for both
  // carries no data and fails like one whose data does not fit, whatever
  // capacity the caller names, so nothing past the received bytes is read.
  const std::size_t headerLen = tagLen + codeLen;
  const bool bWhole = dwReceived >= headerLen + 2;
  const DWORD dataLen = bWhole ? static_cast<DWORD>(dwReceived - headerLen - 2) : 0;
  if (bWhole && dwLength >= dataLen && (pBuffer != nullptr || dataLen == 0)) {
    if (dataLen > 0) std::memcpy(pBuffer, pReceived + tagLen + codeLen + 1, dataLen);
    dwLength = dataLen;
    return 1;
  }
  if (pBuffer != nullptr && dwLength > 0) std::memset(pBuffer, 0, dwLength);
  dwLength = 0;
  return 0;
}

std::wstring CCorvaneFunctions::ByteToExCString(const BYTE* pBytes, DWORD dwCount) const {
  std::wstring text;
  if (pBytes == nullptr) return text;
  text.reserve(dwCount * 5ULL);
  for (DWORD i = 0; i < dwCount; ++i) {
    wchar_t hex[8];
    std::swprintf(hex, 8, L"0x%02X", static_cast<unsigned>(pBytes[i]));
    if (i > 0) text += L',';
    text += hex;
  }
  return text;
}

std::wstring CCorvaneFunctions::BufByteToExCString(const BYTE* pFrame, DWORD dwLength,
                                                   std::wstring strTag,
                                                   std::wstring strCode) const {
  if (pFrame == nullptr) return {};
  const std::size_t headerLen = strTag.size() + strCode.size();
  if (headerLen > dwLength) return ByteToExCString(pFrame, dwLength);
  std::wstring text = FromWireBytes(pFrame, headerLen);
  text += L'<';
  if (dwLength - headerLen >= 2) {
    text += ByteToExCString(pFrame + headerLen + 1, static_cast<DWORD>(dwLength - headerLen - 2));
  }
  text += L'>';
  return text;
}

std::wstring CCorvaneFunctions::dwordToStrIp(DWORD dwAddress) const {
  wchar_t text[16];
  std::swprintf(text, 16, L"%u.%u.%u.%u", (dwAddress >> 24) & 0xFF, (dwAddress >> 16) & 0xFF,
                (dwAddress >> 8) & 0xFF, dwAddress & 0xFF);
  return text;
}

namespace {
// Four passes of decimal accumulation; a pass ends at a separator (consumed)
// or at the end of the text. Other characters are not rejected, a missing
// group counts as 0, and all arithmetic wraps at 32 bits.
DWORD FourGroups(const std::wstring& text, bool bDashToo) {
  DWORD result = 0;
  std::size_t pos = 0;
  for (int pass = 0; pass < 4; ++pass) {
    DWORD value = 0;
    while (pos < text.size()) {
      const wchar_t c = text[pos++];
      if (c == L'.' || (bDashToo && c == L'-')) break;
      value = value * 10 + static_cast<DWORD>(c - L'0');
    }
    result = (result << 8) + value;
  }
  return result;
}
}  // namespace

DWORD CCorvaneFunctions::strIpToDword(std::wstring strIp) const {
  return FourGroups(strIp, false);
}

DWORD CCorvaneFunctions::strMacToDword(std::wstring strMac) const {
  return FourGroups(strMac, true);
}
