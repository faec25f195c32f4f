#include <corvane/CCorvaneFunctions.h>

#include <cstdio>

CCorvaneFunctions::~CCorvaneFunctions() = default;

BOOL CCorvaneFunctions::FormatEthBuffToSend(BYTE*, DWORD&, std::wstring, std::wstring,
                                            const BYTE*, DWORD, BYTE, BYTE) const {
  return 0;
}

BOOL CCorvaneFunctions::GetDataEthAnswer(BYTE*, DWORD& dwLength, std::wstring, std::wstring,
                                         const BYTE*, DWORD) const {
  dwLength = 0;
  return 0;
}

std::wstring CCorvaneFunctions::ByteToExCString(const BYTE*, DWORD) const { return {}; }

std::wstring CCorvaneFunctions::BufByteToExCString(const BYTE*, DWORD, std::wstring,
                                                   std::wstring) const {
  return {};
}

std::wstring CCorvaneFunctions::dwordToStrIp(DWORD dwAddress) const {
  wchar_t text[16];
  std::swprintf(text, 16, L"%u.%u.%u.%u", (dwAddress >> 24) & 0xFF, (dwAddress >> 16) & 0xFF,
                (dwAddress >> 8) & 0xFF, dwAddress & 0xFF);
  return text;
}

namespace {
// Four passes of decimal accumulation; a pass ends at a separator (consumed)
// or at the end of the text. Other characters are not rejected.
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

BOOL CCorvaneFunctions::GetClientMacAddress(std::wstring, std::wstring&) const { return 0; }

std::wstring CCorvaneFunctions::GetHostClientIpAddress(std::wstring) const { return {}; }

std::wstring CCorvaneFunctions::GetHostClientName(std::wstring) const { return {}; }

BOOL CCorvaneFunctions::GetHostInfo(std::wstring, _HostInfo&) const { return 0; }
