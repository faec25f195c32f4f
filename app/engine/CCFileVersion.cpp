#include "CCFileVersion.h"

#include <cstdio>
#include <string_view>

#include "ElfSection.h"
#include "EnginePlatform.h"

namespace {

constexpr std::string_view kSectionName = ".lumora.version";
constexpr std::string_view kSignature = "LUMORA-VERSION-1";

// "0409 04b0" (language and code page, hexadecimal) as 0x040904B0.
bool ParseTranslation(const std::string& strText, DWORD& dwTranslation) {
  unsigned int uLanguage = 0, uCodePage = 0;
  char cEnd = 0;
  if (std::sscanf(strText.c_str(), "%4x %4x%c", &uLanguage, &uCodePage, &cEnd) < 2) return false;
  dwTranslation = (uLanguage << 16) | uCodePage;
  return true;
}

}  // namespace

CCFileVersion::~CCFileVersion() { Close(); }

BOOL CCFileVersion::Open(const std::wstring& strPath) {
  Close();
  auto block = ElfSection::Read(EnginePlatform::WideToPath(strPath), kSectionName);
  if (!block) return 0;
  // The signature and the closing empty name must be there, so that every
  // text in the block ends inside it.
  const std::string_view text(block->data(), block->size());
  if (text.size() < kSignature.size() + 2 || text.substr(0, kSignature.size()) != kSignature ||
      text[kSignature.size()] != '\0' || text.substr(text.size() - 2) != std::string_view("\0\0", 2))
    return 0;
  m_block = std::move(*block);
  std::string strTranslation;
  if (!VerQueryValue("\\VarFileInfo\\Translation", strTranslation) ||
      !ParseTranslation(strTranslation, m_dwTranslation)) {
    Close();
    return 0;
  }
  return 1;
}

std::wstring CCFileVersion::QueryValue(const std::wstring& strName, DWORD dwTranslation) const {
  if (m_block.empty()) return {};
  if (dwTranslation == 0) dwTranslation = m_dwTranslation;
  char szPrefix[32];
  std::snprintf(szPrefix, sizeof szPrefix, "\\StringFileInfo\\%08lx\\",
                static_cast<unsigned long>(dwTranslation));
  std::string strValue;
  if (!VerQueryValue(szPrefix + EnginePlatform::WideToUtf8(strName), strValue)) return {};
  return EnginePlatform::Utf8ToWide(strValue);
}

void CCFileVersion::Close() {
  m_block.clear();
  m_dwTranslation = 0;
}

bool CCFileVersion::VerQueryValue(const std::string& strPath, std::string& strValue) const {
  // Names and values follow the signature in pairs; an empty name ends them.
  const char* p = m_block.data() + kSignature.size() + 1;
  const char* const pEnd = m_block.data() + m_block.size();
  while (p < pEnd && *p != '\0') {
    const std::string_view name(p);
    const char* pValue = p + name.size() + 1;
    if (pValue >= pEnd) return false;
    const std::string_view value(pValue);
    if (name == strPath) {
      strValue = value;
      return true;
    }
    p = pValue + value.size() + 1;
  }
  return false;
}
