#include "registry/RegistryText.h"

namespace corvane::detail {
namespace {

bool DecodeUtf16Le(std::string_view bytes, std::wstring& text) {
  if (bytes.size() % 2 != 0) return false;
  auto unit = [&](std::size_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(bytes[i]) |
                                 (static_cast<unsigned char>(bytes[i + 1]) << 8));
  };
  for (std::size_t i = 0; i < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xDC00 && c <= 0xDFFF) return false;
    if (c >= 0xD800 && c <= 0xDBFF) {
      if (i + 2 >= bytes.size()) return false;
      const char32_t low = unit(i + 2);
      if (low < 0xDC00 || low > 0xDFFF) return false;
      c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    }
    text.push_back(static_cast<wchar_t>(c));
  }
  return true;
}

bool DecodeUtf8(std::string_view bytes, std::wstring& text) {
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[i]);
    int extra = 0;
    char32_t c = lead;
    char32_t min = 0;
    if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3, c = lead & 0x07, min = 0x10000;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2, c = lead & 0x0F, min = 0x800;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, c = lead & 0x1F, min = 0x80;
    } else if (lead >= 0x80) {
      return false;
    }
    if (i + extra >= bytes.size() && extra > 0) return false;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(bytes[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      c = (c << 6) | (next & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    text.push_back(static_cast<wchar_t>(c));
    i += 1 + extra;
  }
  return true;
}

}  // namespace

bool DecodeRegistryText(std::string_view bytes, std::wstring& text, std::string& reason) {
  text.clear();
  bool ok = false;
  if (bytes.starts_with("\xFF\xFE")) {
    ok = DecodeUtf16Le(bytes.substr(2), text);
  } else {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    ok = DecodeUtf8(bytes, text);
  }
  if (!ok) {
    reason = "not valid UTF-8 or UTF-16LE text";
    return false;
  }
  for (wchar_t c : text) {
    if (c < 0x20 && c != L'\t' && c != L'\r' && c != L'\n') {
      reason = "control character in the text";
      return false;
    }
  }
  return true;
}

}  // namespace corvane::detail
