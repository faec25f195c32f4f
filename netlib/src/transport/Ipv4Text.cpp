#include "transport/Ipv4Text.h"

namespace corvane::detail {

std::wstring FormatIpv4(DWORD dwAddress) {
  std::wstring text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (!text.empty()) text += L'.';
    text += std::to_wstring((dwAddress >> shift) & 0xFF);
  }
  return text;
}

std::string NarrowText(const std::wstring& text) {
  std::string narrow(text.size(), '\0');
  for (std::size_t i = 0; i < text.size(); ++i) {
    narrow[i] = static_cast<char>(static_cast<unsigned char>(text[i] & 0xFF));
  }
  return narrow;
}

}  // namespace corvane::detail
