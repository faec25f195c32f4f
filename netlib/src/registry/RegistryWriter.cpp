#include "registry/RegistryWriter.h"

#include <cstdio>

namespace corvane::detail {
namespace {

constexpr std::size_t kBytesPerLine = 25;

std::wstring HexByte(BYTE b) {
  wchar_t text[3];
  std::swprintf(text, 3, L"%02x", static_cast<unsigned>(b));
  return text;
}

}  // namespace

std::wstring RegistryWriter::KeyLine(const std::wstring& strPath) { return L"[" + strPath + L"]"; }

std::wstring RegistryWriter::Quoted(const std::wstring& text) {
  std::wstring quoted = L"\"";
  for (wchar_t c : text) {
    if (c == L'\\' || c == L'"') quoted += L'\\';
    quoted += c;
  }
  return quoted + L"\"";
}

// A text value goes in quotes only when reading the quotes gives back the
// same bytes: one terminating zero and no characters a line cannot carry.
bool RegistryWriter::IsPlainText(const RegistryValue& value) {
  if (value.dwType != kRegSz) return false;
  const std::wstring text = value.AsText();
  for (wchar_t c : text) {
    if (c < 0x20) return false;
  }
  return RegistryValue::Text(text).data == value.data;
}

std::vector<std::wstring> RegistryWriter::ValueLines(const std::wstring& strName,
                                                     const RegistryValue& value) {
  const std::wstring name = strName.empty() ? L"@" : Quoted(strName);
  if (IsPlainText(value)) return {name + L"=" + Quoted(value.AsText())};
  if (const auto dw = value.AsNumber(); dw && value.data.size() == 4) {
    wchar_t number[16];
    std::swprintf(number, 16, L"%08x", static_cast<unsigned>(*dw));
    return {name + L"=dword:" + number};
  }
  std::wstring line = name + L"=hex";
  if (value.dwType != kRegBinary) {
    wchar_t type[16];
    std::swprintf(type, 16, L"(%x)", static_cast<unsigned>(value.dwType));
    line += type;
  }
  line += L":";
  std::vector<std::wstring> lines;
  for (std::size_t i = 0; i < value.data.size(); ++i) {
    if (i > 0 && i % kBytesPerLine == 0) {
      lines.push_back(line + L",\\");
      line = L"  ";
    } else if (i > 0) {
      line += L",";
    }
    line += HexByte(value.data[i]);
  }
  lines.push_back(line);
  return lines;
}

std::wstring RegistryWriter::Document(const RegistryDocument& document,
                                      const std::wstring& strEol) {
  std::wstring text = std::wstring(kHeader) + strEol;
  for (const RegistryDocument::Key& key : document.Keys()) {
    text += strEol + KeyLine(key.strPath) + strEol;
    for (const RegistryDocument::NamedValue& named : key.values) {
      for (const std::wstring& line : ValueLines(named.strName, named.value))
        text += line + strEol;
    }
  }
  return text;
}

}  // namespace corvane::detail
