#include "MacText.h"

#include <cwctype>

namespace MacText {

namespace {

bool IsHex(wchar_t c) { return std::iswxdigit(static_cast<wint_t>(c)) != 0 && c < 0x80; }

}  // namespace

bool Parse(const std::wstring& strText, std::wstring& strDigits) {
  const bool bSeparated = strText.size() == 17;
  if (!bSeparated && strText.size() != 12) return false;
  const wchar_t separator = bSeparated ? strText[2] : 0;
  if (bSeparated && separator != L':' && separator != L'-') return false;
  std::wstring digits;
  for (std::size_t i = 0; i < strText.size(); ++i) {
    const bool bSeparatorPlace = bSeparated && i % 3 == 2;
    if (bSeparatorPlace ? strText[i] != separator : !IsHex(strText[i])) return false;
    if (!bSeparatorPlace) digits.push_back(static_cast<wchar_t>(std::towupper(strText[i])));
  }
  strDigits = digits;
  return true;
}

std::wstring Digits(const std::wstring& strText) {
  std::wstring digits;
  for (const wchar_t c : strText) {
    if (IsHex(c)) digits.push_back(static_cast<wchar_t>(std::towupper(c)));
  }
  return digits;
}

bool Same(const std::wstring& strA, const std::wstring& strB) {
  const std::wstring a = Digits(strA);
  return a.size() == 12 && a == Digits(strB);
}

}  // namespace MacText
