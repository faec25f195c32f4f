#pragma once
// Reads values from an INI file the way the program's settings expect:
// sections and keys match without regard to case, the first section of a
// name and the first key in it count, and values are texts of at most 255
// characters. Lines starting with ';' are comments.
#include <corvane/CorvaneTypes.h>

#include <filesystem>
#include <string>

class CIniReader {
 public:
  static constexpr std::size_t kMaxValueLength = 255;

  // Remembers the file when it can be opened for reading (1); else keeps no
  // file and returns 0.
  BOOL SetFileName(const std::filesystem::path& path);
  const std::filesystem::path& GetFileName() const { return m_path; }

  // The value's text; empty when the file, section or key is missing.
  std::wstring ReadValue(const std::wstring& strKey, const std::wstring& strSection) const;
  // The value's leading decimal digits as a number (see ToDword).
  DWORD ReadDword(const std::wstring& strKey, const std::wstring& strSection) const;

  // Leading blanks and a '+' are skipped, then the leading digits count; no
  // digits give 0. A value beyond 32 bits saturates at 0xFFFFFFFF and a
  // negative value, which no setting can hold, reads as 0.
  static DWORD ToDword(const std::wstring& strValue);

 private:
  std::filesystem::path m_path;
};
