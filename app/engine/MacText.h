#pragma once
// MAC addresses as texts: printers report them with dashes, operators type
// them with colons, dashes or nothing. Two texts name the same printer when
// their hex digits agree, whatever the case.
#include <string>

namespace MacText {

// Twelve hex digits, in pairs separated all alike by ':' or '-', or not at
// all; strDigits gets the twelve digits in upper case.
bool Parse(const std::wstring& strText, std::wstring& strDigits);
// The hex digits of the text in upper case, everything else left out.
std::wstring Digits(const std::wstring& strText);
bool Same(const std::wstring& strA, const std::wstring& strB);

}  // namespace MacText
