#include "EnginePlatform.h"

#include <cstdlib>
#include <ctime>
#include <system_error>

namespace EnginePlatform {

std::string EnvironmentValue(const char* pszName) {
  const char* pszValue = std::getenv(pszName);
  return pszValue ? pszValue : "";
}

std::filesystem::path ExecutablePath() {
  std::error_code ec;
  auto path = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path() : path;
}

bool LocalTime(int& iHour, int& iMinute, int& iSecond) {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (now == static_cast<std::time_t>(-1) || localtime_r(&now, &local) == nullptr) {
    return false;
  }
  iHour = local.tm_hour;
  iMinute = local.tm_min;
  iSecond = local.tm_sec;
  return true;
}

std::filesystem::path UserStateDirectory() {
  const char* szState = std::getenv("XDG_STATE_HOME");
  if (szState != nullptr && szState[0] == '/') {
    return std::filesystem::path(szState);
  }
  const char* szHome = std::getenv("HOME");
  if (szHome != nullptr && szHome[0] != '\0') {
    return std::filesystem::path(szHome) / ".local" / "state";
  }
  return {};
}

namespace {

// Length of the valid UTF-8 sequence at text[i] and its code point; 0 when
// the bytes there do not form one.
std::size_t DecodeUtf8(std::string_view text, std::size_t i, char32_t& code) {
  const auto lead = static_cast<unsigned char>(text[i]);
  std::size_t len = 0;
  char32_t min = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2, code = lead & 0x1F, min = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3, code = lead & 0x0F, min = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4, code = lead & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > text.size()) return 0;
  for (std::size_t k = 1; k < len; ++k) {
    const auto byte = static_cast<unsigned char>(text[i + k]);
    if ((byte & 0xC0) != 0x80) return 0;
    code = (code << 6) | (byte & 0x3F);
  }
  const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
  return (code < min || code > 0x10FFFF || surrogate) ? 0 : len;
}

}  // namespace

std::wstring Utf8ToWide(std::string_view text) {
  std::wstring out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t len = DecodeUtf8(text, i, code);
    if (len == 0) {
      out.push_back(static_cast<wchar_t>(static_cast<unsigned char>(text[i])));
      ++i;
    } else {
      out.push_back(static_cast<wchar_t>(code));
      i += len;
    }
  }
  return out;
}

std::string WideToUtf8(std::wstring_view text) {
  std::string out;
  out.reserve(text.size());
  for (wchar_t wc : text) {
    auto code = static_cast<char32_t>(wc);
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = U'?';
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return out;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    char32_t code = 0;
    const std::size_t len =
        static_cast<unsigned char>(text[i]) < 0x80 ? 1 : DecodeUtf8(text, i, code);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::filesystem::path WideToPath(std::wstring_view text) {
  return std::filesystem::path(WideToUtf8(text));
}

std::wstring PathToWide(const std::filesystem::path& path) {
  return Utf8ToWide(path.native());
}

}  // namespace EnginePlatform
