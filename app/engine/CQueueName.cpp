#include "CQueueName.h"

#include "CDeviceTable.h"

#include <algorithm>

namespace {

bool IsNameCharacter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
         c == L'-' || c == L'_';
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string Sanitised(const std::wstring& strText) {
  std::string name;
  for (const wchar_t c : strText) {
    if (IsNameCharacter(c)) {
      name += static_cast<char>(c);
    } else if (!name.empty() && name.back() != '_') {
      name += '_';
    }
  }
  while (!name.empty() && name.back() == '_') name.pop_back();
  if (name.size() > CQueueName::kMaxLength) name.resize(CQueueName::kMaxLength);
  return name;
}

}  // namespace

bool CQueueName::IsValid(const std::string& strName) {
  return !strName.empty() && strName.size() <= kMaxLength &&
         std::all_of(strName.begin(), strName.end(),
                     [](char c) { return IsNameCharacter(static_cast<unsigned char>(c)); });
}

std::string CQueueName::FromPrinter(const std::wstring& strName, const std::wstring& strModel) {
  if (strName != CDeviceTable::kNoName) {
    if (std::string name = Sanitised(strName); !name.empty()) return name;
  }
  if (strModel != CDeviceTable::kNoModel) {
    if (std::string name = Sanitised(strModel); !name.empty()) return name;
  }
  return "Printer";
}

bool CQueueName::SameName(const std::string& a, const std::string& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return Lower(x) == Lower(y); });
}

std::string CQueueName::FirstFree(const std::string& strBase,
                                  const std::vector<std::string>& taken) {
  auto free = [&](const std::string& name) {
    return std::none_of(taken.begin(), taken.end(),
                        [&](const std::string& other) { return SameName(name, other); });
  };
  if (free(strBase)) return strBase;
  for (std::size_t n = 2;; ++n) {
    const std::string suffix = "_" + std::to_string(n);
    const std::string name = strBase.substr(0, kMaxLength - suffix.size()) + suffix;
    if (free(name)) return name;
  }
}
