#include "registry/RegistryDocument.h"

#include <algorithm>

namespace corvane::detail {

std::wstring RegistryDocument::Fold(const std::wstring& text) {
  std::wstring folded(text);
  for (wchar_t& c : folded) {
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
  }
  return folded;
}

std::optional<std::size_t> RegistryDocument::IndexOf(const std::wstring& strPath) const {
  const auto it = m_index.find(Fold(strPath));
  if (it == m_index.end()) return std::nullopt;
  return it->second;
}

RegistryDocument::Key& RegistryDocument::Touch(const std::wstring& strPath) {
  if (const auto index = IndexOf(strPath)) return m_keys[*index];
  m_index.emplace(Fold(strPath), m_keys.size());
  m_keys.push_back(Key{strPath, {}});
  return m_keys.back();
}

void RegistryDocument::SetValue(const std::wstring& strPath, const std::wstring& strName,
                                RegistryValue value) {
  Key& key = Touch(strPath);
  const std::wstring folded = Fold(strName);
  for (NamedValue& named : key.values) {
    if (Fold(named.strName) == folded) {
      named.value = std::move(value);
      return;
    }
  }
  key.values.push_back(NamedValue{strName, std::move(value)});
}

void RegistryDocument::DeleteValue(const std::wstring& strPath, const std::wstring& strName) {
  const auto index = IndexOf(strPath);
  if (!index) return;
  auto& values = m_keys[*index].values;
  const std::wstring folded = Fold(strName);
  std::erase_if(values, [&](const NamedValue& named) { return Fold(named.strName) == folded; });
}

void RegistryDocument::DeleteKey(const std::wstring& strPath) {
  const std::wstring folded = Fold(strPath);
  const std::wstring below = folded + L"\\";
  const auto removed = std::erase_if(m_keys, [&](const Key& key) {
    const std::wstring path = Fold(key.strPath);
    return path == folded || path.starts_with(below);
  });
  if (removed > 0) Reindex();
}

void RegistryDocument::Reindex() {
  m_index.clear();
  for (std::size_t i = 0; i < m_keys.size(); ++i) m_index.emplace(Fold(m_keys[i].strPath), i);
}

const RegistryDocument::Key* RegistryDocument::FindKey(const std::wstring& strPath) const {
  const auto index = IndexOf(strPath);
  return index ? &m_keys[*index] : nullptr;
}

const RegistryValue* RegistryDocument::FindValue(const std::wstring& strPath,
                                                 const std::wstring& strName) const {
  const Key* key = FindKey(strPath);
  if (key == nullptr) return nullptr;
  const std::wstring folded = Fold(strName);
  for (const NamedValue& named : key->values) {
    if (Fold(named.strName) == folded) return &named.value;
  }
  return nullptr;
}

}  // namespace corvane::detail
