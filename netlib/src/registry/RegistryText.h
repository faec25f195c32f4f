#pragma once
// The text of a registry store file as characters: UTF-16LE when it starts
// with that byte-order mark, UTF-8 otherwise (a UTF-8 byte-order mark is
// skipped). Malformed encodings and control characters other than tab, CR
// and LF are refused.
#include <string>
#include <string_view>

namespace corvane::detail {

bool DecodeRegistryText(std::string_view bytes, std::wstring& text, std::string& reason);

}  // namespace corvane::detail
