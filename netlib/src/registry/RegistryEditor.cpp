#include "registry/RegistryEditor.h"

#include "codec/WireText.h"
#include "messaging/Utf16.h"
#include "registry/RegistryText.h"
#include "registry/RegistryWriter.h"

namespace corvane::detail {
namespace {

enum class Encoding { kUtf8, kUtf8Bom, kUtf16Le };

// Lines keep their own carriage return, so that each keeps its line end.
bool IsLineBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r'; }

std::wstring_view TrimLine(std::wstring_view text) {
  while (!text.empty() && IsLineBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsLineBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsComment(std::wstring_view line) {
  line = TrimLine(line);
  return !line.empty() && line.front() == L';';
}

// The text between the brackets of a section line.
bool SectionPath(std::wstring_view line, std::wstring_view& path) {
  line = TrimLine(line);
  if (line.size() < 2 || line.front() != L'[' || line.back() != L']') return false;
  path = line.substr(1, line.size() - 2);
  return true;
}

bool FoldedEqual(std::wstring_view a, std::wstring_view b) {
  return RegistryDocument::Fold(std::wstring(a)) == RegistryDocument::Fold(std::wstring(b));
}

bool IsAtOrBelow(const std::wstring& strPath, const std::wstring& strKey) {
  const std::wstring path = RegistryDocument::Fold(strPath);
  const std::wstring key = RegistryDocument::Fold(strKey);
  return path == key || path.starts_with(key + L"\\");
}

// The value name a line sets, if it is a value line; bHex tells whether its
// data is a byte list (which a trailing backslash continues).
std::optional<std::wstring> ValueName(std::wstring_view line, bool& bHex) {
  line = TrimLine(line);
  std::wstring name;
  std::size_t pos = 1;
  if (line.empty()) return std::nullopt;
  if (line.front() == L'"') {
    for (; pos < line.size() && line[pos] != L'"'; ++pos) {
      if (line[pos] == L'\\' && pos + 1 < line.size()) ++pos;
      name += line[pos];
    }
    if (pos == line.size()) return std::nullopt;
    ++pos;
  } else if (line.front() != L'@') {
    return std::nullopt;
  }
  std::wstring_view rest = TrimLine(line.substr(pos));
  if (rest.empty() || rest.front() != L'=') return std::nullopt;
  rest = TrimLine(rest.substr(1));
  bHex = rest.size() >= 3 && FoldedEqual(rest.substr(0, 3), L"HEX");
  return name;
}

bool ContinuesOnNextLine(std::wstring_view line) {
  line = TrimLine(line);
  return !line.empty() && line.back() == L'\\';
}

bool SameStore(const RegistryDocument& a, const RegistryDocument& b) {
  if (a.Keys().size() != b.Keys().size()) return false;
  for (std::size_t k = 0; k < a.Keys().size(); ++k) {
    const auto& ka = a.Keys()[k];
    const auto& kb = b.Keys()[k];
    if (!FoldedEqual(ka.strPath, kb.strPath) || ka.values.size() != kb.values.size()) return false;
    for (std::size_t v = 0; v < ka.values.size(); ++v) {
      if (!FoldedEqual(ka.values[v].strName, kb.values[v].strName) ||
          !(ka.values[v].value == kb.values[v].value))
        return false;
    }
  }
  return true;
}

Encoding EncodingOf(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) return Encoding::kUtf16Le;
  if (bytes.starts_with("\xEF\xBB\xBF")) return Encoding::kUtf8Bom;
  return Encoding::kUtf8;
}

std::string Encode(const std::wstring& text, Encoding encoding) {
  if (encoding != Encoding::kUtf16Le)
    return (encoding == Encoding::kUtf8Bom ? "\xEF\xBB\xBF" : "") + ToUtf8(text);
  std::string bytes = "\xFF\xFE";
  for (char16_t unit : ToUtf16(text)) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

void ApplyTo(RegistryDocument& document, const RegistryEdit& edit) {
  if (edit.kind == RegistryEdit::Kind::kDeleteKey) {
    document.DeleteKey(edit.strKeyPath);
  } else {
    document.SetValue(edit.strKeyPath, edit.strName, edit.value);
  }
}

}  // namespace

RegistryEditor::RegistryEditor(const std::wstring& text) {
  if (text.empty()) {
    m_lines.push_back(RegistryWriter::kHeader);
    return;
  }
  std::size_t start = 0;
  for (std::size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
    m_lines.push_back(text.substr(start, end - start));
  m_bFinalEol = start == text.size();
  if (!m_bFinalEol) m_lines.push_back(text.substr(start));
  // New lines end like the file's last line that has an end.
  const std::size_t last = m_lines.size() - (m_bFinalEol ? 1 : 2);
  m_bCrLf = last < m_lines.size() && m_lines[last].ends_with(L'\r');
}

std::wstring RegistryEditor::Line(std::wstring text) const {
  return m_bCrLf ? text + L"\r" : text;
}

std::wstring RegistryEditor::Text() const {
  std::wstring text;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    text += m_lines[i];
    if (i + 1 < m_lines.size() || m_bFinalEol) text += L'\n';
  }
  return text;
}

std::vector<RegistryEditor::Header> RegistryEditor::Headers() const {
  std::vector<Header> headers;
  for (std::size_t i = 0; i < m_lines.size(); ++i) {
    std::wstring_view path;
    if (!SectionPath(m_lines[i], path)) continue;
    const bool bDelete = !path.empty() && path.front() == L'-';
    if (bDelete) path.remove_prefix(1);
    headers.push_back(Header{i, std::wstring(path), bDelete});
  }
  return headers;
}

// The line after a section: the next section's header, or the comment lines
// right above it (they describe the next section), or the end.
std::size_t RegistryEditor::BlockEnd(std::size_t uiHeader) const {
  std::wstring_view path;
  for (std::size_t end = uiHeader + 1; end < m_lines.size(); ++end) {
    if (!SectionPath(m_lines[end], path)) continue;
    while (end > uiHeader + 1 && IsComment(m_lines[end - 1])) --end;
    return end;
  }
  return m_lines.size();
}

void RegistryEditor::Append(const std::vector<std::wstring>& lines) {
  if (!m_bFinalEol && m_bCrLf) m_lines.back() += L'\r';
  if (!TrimLine(m_lines.back()).empty()) m_lines.push_back(Line(L""));
  for (const std::wstring& line : lines) m_lines.push_back(Line(line));
  m_bFinalEol = true;
}

void RegistryEditor::SetValue(const RegistryEdit& edit) {
  std::vector<std::wstring> valueLines = RegistryWriter::ValueLines(edit.strName, edit.value);
  const Header* last = nullptr;
  const std::vector<Header> headers = Headers();
  for (const Header& header : headers) {
    if (FoldedEqual(header.strPath, edit.strKeyPath)) last = &header;
  }
  if (last == nullptr || last->bDelete) {
    std::vector<std::wstring> lines{RegistryWriter::KeyLine(edit.strKeyPath)};
    lines.insert(lines.end(), valueLines.begin(), valueLines.end());
    Append(lines);
    return;
  }
  const std::size_t end = BlockEnd(last->uiLine);
  std::size_t insertAt = last->uiLine + 1;
  std::size_t replaceFrom = 0, replaceTo = 0;  // [from, to) of the value's own lines
  for (std::size_t i = last->uiLine + 1; i < end; ++i) {
    bool bHex = false;
    const auto name = ValueName(m_lines[i], bHex);
    if (!name) continue;
    std::size_t next = i + 1;
    while (bHex && ContinuesOnNextLine(m_lines[next - 1]) && next < end) ++next;
    if (FoldedEqual(*name, edit.strName)) replaceFrom = i, replaceTo = next;
    insertAt = next;
    i = next - 1;
  }
  if (replaceTo > 0) {
    m_lines.erase(m_lines.begin() + replaceFrom, m_lines.begin() + replaceTo);
    insertAt = replaceFrom;
  }
  for (std::wstring& line : valueLines) line = Line(line);
  m_lines.insert(m_lines.begin() + insertAt, valueLines.begin(), valueLines.end());
}

void RegistryEditor::DeleteKey(const std::wstring& strPath) {
  for (;;) {
    const std::vector<Header> headers = Headers();
    const Header* doomed = nullptr;
    for (const Header& header : headers) {
      if (!header.bDelete && IsAtOrBelow(header.strPath, strPath)) doomed = &header;
    }
    if (doomed == nullptr) return;
    const std::size_t end = BlockEnd(doomed->uiLine);
    std::size_t start = doomed->uiLine;
    // The last section goes with the blank lines that set it apart.
    while (end == m_lines.size() && start > 1 && TrimLine(m_lines[start - 1]).empty()) --start;
    m_lines.erase(m_lines.begin() + start, m_lines.begin() + end);
  }
}

void RegistryEditor::Apply(const RegistryEdit& edit) {
  if (edit.kind == RegistryEdit::Kind::kDeleteKey) {
    DeleteKey(edit.strKeyPath);
  } else {
    SetValue(edit);
  }
}

std::optional<std::string> RegistryEditor::Edit(std::string_view bytes,
                                                const std::vector<RegistryEdit>& edits,
                                                RegistryParser::Error& error) {
  RegistryDocument expected;
  std::wstring text;
  if (!bytes.empty()) {
    auto parsed = RegistryParser::Parse(bytes, error);
    if (!parsed || !DecodeRegistryText(bytes, text, error.strReason)) return std::nullopt;
    expected = std::move(*parsed);
  }
  RegistryEditor editor(text);
  for (const RegistryEdit& edit : edits) {
    ApplyTo(expected, edit);
    editor.Apply(edit);
  }
  const Encoding encoding = EncodingOf(bytes);
  std::string result = Encode(editor.Text(), encoding);
  RegistryParser::Error check;
  const auto reread = RegistryParser::Parse(result, check);
  if (!reread || !SameStore(*reread, expected))
    result = Encode(RegistryWriter::Document(expected, editor.m_bCrLf ? L"\r\n" : L"\n"), encoding);
  return result;
}

}  // namespace corvane::detail
