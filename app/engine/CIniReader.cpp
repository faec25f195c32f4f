#include "CIniReader.h"

#include <fstream>
#include <limits>
#include <system_error>

namespace {

bool IsBlank(wchar_t wc) { return wc == L' ' || wc == L'\t' || wc == L'\r' || wc == L'\n' || wc == L'\v' || wc == L'\f'; }

std::wstring Trim(const std::wstring& strText) {
  std::size_t first = 0;
  std::size_t last = strText.size();
  while (first < last && IsBlank(strText[first])) ++first;
  while (last > first && IsBlank(strText[last - 1])) --last;
  return strText.substr(first, last - first);
}

wchar_t FoldCase(wchar_t wc) { return (wc >= L'A' && wc <= L'Z') ? static_cast<wchar_t>(wc - L'A' + L'a') : wc; }

bool SameName(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

// The file's bytes as characters of the same value; a UTF-8 byte-order mark
// that an editor may have put first is dropped.
std::wstring ToWide(const std::string& strLine, bool bFirstLine) {
  std::size_t start = 0;
  if (bFirstLine && strLine.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  std::wstring wide;
  for (std::size_t i = start; i < strLine.size(); ++i) {
    wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(strLine[i])));
  }
  return wide;
}

// A value written between matching quotes is taken without them.
std::wstring Unquote(const std::wstring& strValue) {
  if (strValue.size() >= 2 && (strValue.front() == L'"' || strValue.front() == L'\'') &&
      strValue.back() == strValue.front()) {
    return strValue.substr(1, strValue.size() - 2);
  }
  return strValue;
}

}  // namespace

BOOL CIniReader::SetFileName(const std::filesystem::path& path) {
  // A directory opens for reading on this system but is no INI file.
  std::error_code ec;
  std::ifstream file(path, std::ios::binary);
  if (!file.is_open() || std::filesystem::is_directory(path, ec)) {
    m_path.clear();
    return 0;
  }
  m_path = path;
  return 1;
}

std::wstring CIniReader::ReadValue(const std::wstring& strKey, const std::wstring& strSection) const {
  std::ifstream file(m_path, std::ios::binary);
  if (m_path.empty() || !file.is_open()) return {};
  std::string strRaw;
  bool bFirstLine = true;
  bool bInSection = false;
  while (std::getline(file, strRaw)) {
    const std::wstring strLine = Trim(ToWide(strRaw, bFirstLine));
    bFirstLine = false;
    if (strLine.empty() || strLine[0] == L';') continue;
    if (strLine[0] == L'[') {
      if (bInSection) break;  // only the first section of that name counts
      const std::size_t close = strLine.find(L']');
      bInSection = SameName(Trim(strLine.substr(1, close == std::wstring::npos ? close : close - 1)), strSection);
      continue;
    }
    const std::size_t equals = strLine.find(L'=');
    if (!bInSection || !SameName(Trim(strLine.substr(0, equals)), strKey)) continue;
    if (equals == std::wstring::npos) return {};
    return Unquote(Trim(strLine.substr(equals + 1))).substr(0, kMaxValueLength);
  }
  return {};
}

DWORD CIniReader::ReadDword(const std::wstring& strKey, const std::wstring& strSection) const {
  return ToDword(ReadValue(strKey, strSection));
}

DWORD CIniReader::ToDword(const std::wstring& strValue) {
  constexpr unsigned long long kMax = std::numeric_limits<DWORD>::max();
  std::size_t i = 0;
  while (i < strValue.size() && IsBlank(strValue[i])) ++i;
  if (i < strValue.size() && strValue[i] == L'-') return 0;
  if (i < strValue.size() && strValue[i] == L'+') ++i;
  unsigned long long ullValue = 0;
  for (; i < strValue.size() && strValue[i] >= L'0' && strValue[i] <= L'9'; ++i) {
    ullValue = ullValue * 10 + static_cast<unsigned long long>(strValue[i] - L'0');
    if (ullValue > kMax) return static_cast<DWORD>(kMax);
  }
  return static_cast<DWORD>(ullValue);
}
