#include "CLogFileManager.h"

#include "EnginePlatform.h"

#include <cstdio>
#include <fstream>

namespace {

const wchar_t kDefaultFileName[] = L"0ZQMainLog.log";

// "--> hh.mm.ss <--  " from the local time now; a field whose conversion
// fails is written as -1.
std::string TimePrefix() {
  int iHour = -1, iMinute = -1, iSecond = -1;
  if (!EnginePlatform::LocalTime(iHour, iMinute, iSecond)) {
    iHour = iMinute = iSecond = -1;
  }
  char szPrefix[64];
  std::snprintf(szPrefix, sizeof szPrefix, "--> %02d.%02d.%02d <--  ", iHour, iMinute, iSecond);
  return szPrefix;
}

// One byte per character; characters beyond the 8-bit range become '?'.
std::string ToBytes(const std::wstring& strText) {
  std::string bytes;
  bytes.reserve(strText.size());
  for (wchar_t wc : strText) {
    const auto code = static_cast<unsigned long>(wc);
    bytes.push_back(code <= 0xFF ? static_cast<char>(code) : '?');
  }
  return bytes;
}

}  // namespace

CLogFileManager::CLogFileManager() = default;

CLogFileManager::~CLogFileManager() = default;

BOOL CLogFileManager::Open(const std::wstring& strDirectory, const std::wstring& strFileName,
                           DWORD dwEnabled) {
  m_bEnabled = dwEnabled != 0 ? 1 : 0;
  // No directory means the current one, no name the historical default name.
  const std::wstring strDir = strDirectory.empty() ? L"." : strDirectory;
  const std::wstring strName = strFileName.empty() ? kDefaultFileName : strFileName;
  m_strFilePath = strDir + L"/" + strName;

  std::ofstream file(EnginePlatform::WideToPath(m_strFilePath),
                     std::ios::out | std::ios::trunc | std::ios::binary);
  return file.is_open() ? 1 : 0;
}

BOOL CLogFileManager::WriteLine(const std::wstring& strText, BOOL bWithTime) {
  if (!m_bEnabled || m_strFilePath.empty()) {
    return 0;
  }
  // In|out never creates the file: a log deleted while running stays deleted.
  std::fstream file(EnginePlatform::WideToPath(m_strFilePath),
                    std::ios::in | std::ios::out | std::ios::binary);
  if (!file.is_open()) {
    return 0;
  }
  std::string line = bWithTime ? TimePrefix() : std::string();
  line += ToBytes(strText);
  line += "\r\n";
  file.seekp(0, std::ios::end);
  file.write(line.data(), static_cast<std::streamsize>(line.size()));
  file.flush();
  return file.good() ? 1 : 0;
}

BOOL CLogFileManager::WriteTimedLine(const std::wstring& strText) {
  return WriteLine(strText, 1);
}
