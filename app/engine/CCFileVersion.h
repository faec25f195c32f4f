#pragma once
// Version information of an executable file, read from the file itself: the
// version block the build embeds (section .lumora.version) holds a string
// table per translation, addressed as "\StringFileInfo\<translation>\<name>",
// and the translation entry "\VarFileInfo\Translation".
#include <corvane/CorvaneTypes.h>

#include <string>
#include <vector>

class CCFileVersion {
 public:
  CCFileVersion() = default;
  virtual ~CCFileVersion();
  CCFileVersion(const CCFileVersion&) = delete;
  CCFileVersion& operator=(const CCFileVersion&) = delete;

  // Reads the file's version block and its first translation; 0 (and
  // closed) when the file has none or it is damaged.
  BOOL Open(const std::wstring& strPath);
  // The named string of the translation (0: the stored one); empty when the
  // block is closed or has no such string.
  std::wstring QueryValue(const std::wstring& strName, DWORD dwTranslation = 0) const;
  std::wstring GetProductVersion() const { return QueryValue(L"ProductVersion"); }
  void Close();

  // Language in the high 16 bits, code page in the low 16 bits; 0 when closed.
  DWORD GetTranslation() const { return m_dwTranslation; }

 private:
  // The value stored under the path, if any.
  bool VerQueryValue(const std::string& strPath, std::string& strValue) const;

  std::vector<char> m_block;
  DWORD m_dwTranslation = 0;
};
