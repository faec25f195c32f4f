#pragma once
// Reads the registry export text form into a RegistryDocument:
//
//   Windows Registry Editor Version 5.00      (or REGEDIT4)
//
//   [HKEY_LOCAL_MACHINE\SOFTWARE\Maker\Key]
//   "Text"="C:\\path with \"quotes\""
//   "Number"=dword:0000000a
//   "Bytes"=hex:01,02,\ <- a backslash at the end continues the list
//     03                  on the next line
//   "Typed"=hex(2):41,00,00,00
//   @="the key's default value"
//   "Gone"=-
//   [-HKEY_LOCAL_MACHINE\SOFTWARE\Old]
//
// The text is UTF-8 (with or without byte-order mark) or UTF-16LE with its
// byte-order mark, with CR LF or LF line ends; lines starting with ";" are
// comments. Anything else — an unknown line, a wrong escape, a malformed
// number, control characters, a value or a store beyond the size limits —
// makes the whole store unreadable: a reader gets no value from a store it
// cannot read completely, rather than a wrong one.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "registry/RegistryDocument.h"

namespace corvane::detail {

class RegistryParser {
 public:
  static constexpr std::size_t kMaxStoreBytes = 4u << 20;
  static constexpr std::size_t kMaxLineChars = 65536;
  static constexpr std::size_t kMaxValueBytes = 65536;
  static constexpr std::size_t kMaxKeyNameChars = 255;
  static constexpr std::size_t kMaxValueNameChars = 16383;

  struct Error {
    std::size_t uiLine = 0;  // 1-based; 0 for the store as a whole
    std::string strReason;
  };

  static std::optional<RegistryDocument> Parse(std::string_view bytes, Error& error);
};

}  // namespace corvane::detail
