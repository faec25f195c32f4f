#include "platform/RegistryLayeredStore.h"

namespace corvane::detail {

RegistryLookup RegistryLayeredStore::FindValue(const std::wstring& strKeyPath,
                                               const std::wstring& strName,
                                               RegistryValue& value) const {
  const RegistryLookup upper = m_pUpper->FindValue(strKeyPath, strName, value);
  return upper == RegistryLookup::kNoKey ? m_pLower->FindValue(strKeyPath, strName, value) : upper;
}

RegistryLookup RegistryLayeredStore::FindKey(const std::wstring& strKeyPath) const {
  const RegistryLookup upper = m_pUpper->FindKey(strKeyPath);
  return upper == RegistryLookup::kNoKey ? m_pLower->FindKey(strKeyPath) : upper;
}

}  // namespace corvane::detail
