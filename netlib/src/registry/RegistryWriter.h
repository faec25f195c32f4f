#pragma once
// The registry export text form of keys and values, as RegistryParser reads
// it back: "[path]" lines, "name"=value lines (texts quoted with \\ and \"
// escaped, 32-bit numbers as dword:%08x, anything else as a hex byte list
// continued over lines of 25 bytes), and whole stores under the
// "Windows Registry Editor Version 5.00" header.
#include <string>
#include <vector>

#include "registry/RegistryDocument.h"
#include "registry/RegistryValue.h"

namespace corvane::detail {

class RegistryWriter {
 public:
  static constexpr const wchar_t* kHeader = L"Windows Registry Editor Version 5.00";

  static std::wstring KeyLine(const std::wstring& strPath);
  // One line, or several for a long byte list (each but the last ends in "\").
  static std::vector<std::wstring> ValueLines(const std::wstring& strName,
                                              const RegistryValue& value);
  // The whole store, lines ended by strEol.
  static std::wstring Document(const RegistryDocument& document, const std::wstring& strEol);

 private:
  static std::wstring Quoted(const std::wstring& text);
  static bool IsPlainText(const RegistryValue& value);
};

}  // namespace corvane::detail
