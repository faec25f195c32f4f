#include "registry/RegistryParser.h"

#include <array>
#include <vector>

#include "registry/RegistryText.h"

namespace corvane::detail {
namespace {

constexpr std::array<std::wstring_view, 5> kRoots = {
    L"HKEY_LOCAL_MACHINE", L"HKEY_CURRENT_USER", L"HKEY_CLASSES_ROOT", L"HKEY_USERS",
    L"HKEY_CURRENT_CONFIG"};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

std::wstring_view Trim(std::wstring_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool StartsWithFolded(std::wstring_view text, std::wstring_view prefix) {
  return text.size() >= prefix.size() &&
         RegistryDocument::Fold(std::wstring(text.substr(0, prefix.size()))) ==
             RegistryDocument::Fold(std::wstring(prefix));
}

int HexDigit(wchar_t c) {
  if (c >= L'0' && c <= L'9') return c - L'0';
  if (c >= L'a' && c <= L'f') return c - L'a' + 10;
  if (c >= L'A' && c <= L'F') return c - L'A' + 10;
  return -1;
}

// 1 to 8 hexadecimal digits, nothing else.
bool ParseHexNumber(std::wstring_view text, DWORD& value) {
  if (text.empty() || text.size() > 8) return false;
  value = 0;
  for (wchar_t c : text) {
    const int digit = HexDigit(c);
    if (digit < 0) return false;
    value = (value << 4) | static_cast<DWORD>(digit);
  }
  return true;
}

class Parser {
 public:
  Parser(std::vector<std::wstring> lines, RegistryParser::Error& error)
      : m_lines(std::move(lines)), m_error(error) {}

  std::optional<RegistryDocument> Run() {
    if (!SkipToHeader()) return std::nullopt;
    for (++m_line; m_line < m_lines.size(); ++m_line) {
      if (!Line(Trim(m_lines[m_line]))) return std::nullopt;
    }
    return std::move(m_document);
  }

 private:
  bool Fail(std::string reason) {
    m_error.uiLine = m_line + 1;
    m_error.strReason = std::move(reason);
    return false;
  }

  bool SkipToHeader() {
    while (m_line < m_lines.size() && Trim(m_lines[m_line]).empty()) ++m_line;
    if (m_line == m_lines.size()) return Fail("no header line");
    const std::wstring_view header = Trim(m_lines[m_line]);
    if (header != L"Windows Registry Editor Version 5.00" && header != L"REGEDIT4")
      return Fail("not a registry export: unknown header line");
    return true;
  }

  bool Line(std::wstring_view line) {
    if (line.empty() || line.front() == L';') return true;
    if (line.front() == L'[') return Section(line);
    if (line.front() == L'"' || line.front() == L'@') return Value(line);
    return Fail("unknown line");
  }

  bool Section(std::wstring_view line) {
    if (line.back() != L']') return Fail("key line without closing bracket");
    line = line.substr(1, line.size() - 2);
    const bool bDelete = !line.empty() && line.front() == L'-';
    if (bDelete) line.remove_prefix(1);
    std::wstring path;
    if (!KeyPath(line, path)) return false;
    if (bDelete) {
      m_document.DeleteKey(path);
      m_section.reset();
    } else {
      m_document.Touch(path);
      m_section = path;
    }
    m_bDeletedSection = bDelete;
    return true;
  }

  bool KeyPath(std::wstring_view text, std::wstring& path) {
    std::size_t start = 0;
    for (bool first = true;; first = false) {
      const std::size_t end = std::min(text.find(L'\\', start), text.size());
      const std::wstring_view part = text.substr(start, end - start);
      if (part.empty()) return Fail("empty key name");
      if (part.size() > RegistryParser::kMaxKeyNameChars) return Fail("key name too long");
      if (first) {
        std::wstring root;
        for (std::wstring_view known : kRoots) {
          if (RegistryDocument::Fold(std::wstring(part)) == known) root = known;
        }
        if (root.empty()) return Fail("unknown root key");
        path = root;
      } else {
        path += L'\\';
        path += part;
      }
      if (end == text.size()) return true;
      start = end + 1;
    }
  }

  // A quoted text starting at text[pos] (the opening quote); pos ends behind
  // the closing quote.
  bool Quoted(std::wstring_view text, std::size_t& pos, std::wstring& out) {
    out.clear();
    for (++pos; pos < text.size(); ++pos) {
      const wchar_t c = text[pos];
      if (c == L'"') {
        ++pos;
        return true;
      }
      if (c == L'\\') {
        if (++pos == text.size() || (text[pos] != L'\\' && text[pos] != L'"'))
          return Fail("unknown escape in a quoted text");
      }
      out.push_back(text[pos]);
    }
    return Fail("quoted text without closing quote");
  }

  bool Value(std::wstring_view line) {
    if (!m_section) {
      return Fail(m_bDeletedSection ? "value under a deleted key" : "value before any key");
    }
    std::size_t pos = 0;
    std::wstring name;
    if (line.front() == L'@') {
      pos = 1;
    } else if (!Quoted(line, pos, name)) {
      return false;
    } else if (name.size() > RegistryParser::kMaxValueNameChars) {
      return Fail("value name too long");
    }
    const std::wstring_view rest = Trim(line.substr(pos));
    if (rest.empty() || rest.front() != L'=') return Fail("value without '='");
    return Data(name, Trim(rest.substr(1)));
  }

  bool Data(const std::wstring& name, std::wstring_view data) {
    RegistryValue value;
    if (data == L"-") {
      m_document.DeleteValue(*m_section, name);
      return true;
    }
    if (!data.empty() && data.front() == L'"') {
      std::size_t pos = 0;
      std::wstring text;
      if (!Quoted(data, pos, text)) return false;
      if (pos != data.size()) return Fail("text after a quoted value");
      value = RegistryValue::Text(text);
    } else if (StartsWithFolded(data, L"dword:")) {
      DWORD number = 0;
      if (!ParseHexNumber(data.substr(6), number)) return Fail("malformed dword value");
      value = RegistryValue::Number(number);
    } else if (StartsWithFolded(data, L"hex")) {
      if (!HexValue(data.substr(3), value)) return false;
    } else {
      return Fail("unknown value type");
    }
    if (value.data.size() > RegistryParser::kMaxValueBytes) return Fail("value too large");
    m_document.SetValue(*m_section, name, std::move(value));
    return true;
  }

  // "(N):" or ":" then a comma-separated byte list, continued on the next
  // line after a trailing backslash.
  bool HexValue(std::wstring_view text, RegistryValue& value) {
    value.dwType = kRegBinary;
    if (!text.empty() && text.front() == L'(') {
      const std::size_t close = text.find(L')');
      if (close == std::wstring_view::npos || !ParseHexNumber(text.substr(1, close - 1), value.dwType))
        return Fail("malformed hex value type");
      text.remove_prefix(close + 1);
    }
    if (text.empty() || text.front() != L':') return Fail("hex value without ':'");
    std::wstring list(Trim(text.substr(1)));
    while (!list.empty() && list.back() == L'\\') {
      list.pop_back();
      if (++m_line == m_lines.size()) return Fail("hex value continued past the end");
      list += Trim(m_lines[m_line]);
      if (list.size() > 3 * RegistryParser::kMaxValueBytes) return Fail("value too large");
    }
    return HexBytes(list, value.data);
  }

  bool HexBytes(std::wstring_view list, std::vector<BYTE>& bytes) {
    if (Trim(list).empty()) return true;
    std::size_t start = 0;
    for (;;) {
      const std::size_t end = std::min(list.find(L',', start), list.size());
      DWORD byte = 0;
      const std::wstring_view token = Trim(list.substr(start, end - start));
      if (token.size() > 2 || !ParseHexNumber(token, byte)) return Fail("malformed hex byte");
      bytes.push_back(static_cast<BYTE>(byte));
      if (end == list.size()) return true;
      start = end + 1;
    }
  }

  std::vector<std::wstring> m_lines;
  RegistryParser::Error& m_error;
  std::size_t m_line = 0;
  RegistryDocument m_document;
  std::optional<std::wstring> m_section;
  bool m_bDeletedSection = false;
};

bool SplitLines(const std::wstring& text, std::vector<std::wstring>& lines,
                RegistryParser::Error& error) {
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    std::wstring line = text.substr(start, end - start);
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    error.uiLine = lines.size() + 1;
    if (line.find(L'\r') != std::wstring::npos) {
      error.strReason = "carriage return inside a line";
      return false;
    }
    if (line.size() > RegistryParser::kMaxLineChars) {
      error.strReason = "line too long";
      return false;
    }
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return true;
}

}  // namespace

std::optional<RegistryDocument> RegistryParser::Parse(std::string_view bytes, Error& error) {
  error = Error{};
  if (bytes.size() > kMaxStoreBytes) {
    error.strReason = "store too large";
    return std::nullopt;
  }
  std::wstring text;
  if (!DecodeRegistryText(bytes, text, error.strReason)) return std::nullopt;
  std::vector<std::wstring> lines;
  if (!SplitLines(text, lines, error)) return std::nullopt;
  return Parser(std::move(lines), error).Run();
}

}  // namespace corvane::detail
