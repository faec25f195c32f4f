#include "SetRequest.h"

#include <cctype>
#include <map>

namespace printersim {

namespace {

// Reads "<S_KEY><value>" pairs up to the end of `text`; false when the text
// does not consist of such pairs.
bool ReadPairs(std::string_view text, std::map<std::string, std::string, std::less<>>& pairs) {
  while (!text.empty()) {
    if (!text.starts_with("<S_")) return false;
    const auto keyEnd = text.find('>');
    if (keyEnd == std::string_view::npos || keyEnd + 1 >= text.size() || text[keyEnd + 1] != '<')
      return false;
    const std::string_view key = text.substr(1, keyEnd - 1);
    text.remove_prefix(keyEnd + 2);
    auto valueEnd = text.find("><S_");
    if (valueEnd == std::string_view::npos) {
      if (!text.ends_with('>')) return false;
      valueEnd = text.size() - 1;
    }
    pairs.insert_or_assign(std::string(key), std::string(text.substr(0, valueEnd)));
    text.remove_prefix(valueEnd + 1);
  }
  return true;
}

}  // namespace

std::string MacDigits(std::string_view mac) {
  std::string digits;
  for (const char c : mac) {
    if (c == ':' || c == '-') continue;
    if (!std::isxdigit(static_cast<unsigned char>(c))) return {};
    digits += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  return digits.size() == 12 ? digits : std::string();
}

std::optional<SetRequest> SetRequest::Parse(std::string_view request) {
  if (!request.starts_with(kPrefix)) return std::nullopt;
  request.remove_prefix(kPrefix.size());
  const auto addresseeEnd = request.find('>');
  if (!request.starts_with("<MAC:") || addresseeEnd == std::string_view::npos) return std::nullopt;
  SetRequest set;
  set.addressee = request.substr(0, addresseeEnd + 1);
  set.macDigits = MacDigits(request.substr(5, addresseeEnd - 5));
  std::map<std::string, std::string, std::less<>> pairs;
  if (set.macDigits.empty() || !ReadPairs(request.substr(addresseeEnd + 1), pairs))
    return std::nullopt;
  std::string* const required[] = {&set.name, &set.ip, &set.mask, &set.gateway};
  const char* const keys[] = {"S_NAME", "S_IPADD", "S_SNM", "S_GTW"};
  for (int i = 0; i < 4; ++i) {
    const auto it = pairs.find(keys[i]);
    if (it == pairs.end()) return std::nullopt;
    *required[i] = it->second;
  }
  if (const auto it = pairs.find("S_DHCP"); it != pairs.end()) set.dhcp = it->second;
  return set;
}

bool SetRequest::IsFor(std::string_view mac) const { return MacDigits(mac) == macDigits; }

}  // namespace printersim
