#pragma once
// The program's plain-text log: one line per event, reopened for every line
// so that it can be read while the program runs and survives a crash.
#include <corvane/CorvaneTypes.h>

#include <string>

class CLogFileManager {
 public:
  CLogFileManager();
  virtual ~CLogFileManager();

  // Creates (empties) the file directory/name and remembers its path.
  BOOL Open(const std::wstring& strDirectory, const std::wstring& strFileName, DWORD dwEnabled);
  // Appends one line ended by CR LF, with the "--> hh.mm.ss <--  " prefix when asked.
  BOOL WriteLine(const std::wstring& strText, BOOL bWithTime);
  BOOL WriteTimedLine(const std::wstring& strText);

  const std::wstring& GetFilePath() const { return m_strFilePath; }

 private:
  std::wstring m_strFilePath;
  BOOL m_bEnabled = 1;
};
