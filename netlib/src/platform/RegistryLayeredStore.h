#pragma once
// Two stores read as one: a key the upper store (the user's) holds hides the
// same key of the lower store (the system's) with all its values; keys the
// upper store lacks come from the lower one. A fault in either store fails
// the reads that reach it, as a fault in a single store does.
#include <memory>

#include "platform/RegistryStore.h"

namespace corvane::detail {

class RegistryLayeredStore : public RegistryStore {
 public:
  RegistryLayeredStore(std::unique_ptr<RegistryStore> pUpper, std::unique_ptr<RegistryStore> pLower)
      : m_pUpper(std::move(pUpper)), m_pLower(std::move(pLower)) {}

  RegistryLookup FindValue(const std::wstring& strKeyPath, const std::wstring& strName,
                           RegistryValue& value) const override;
  RegistryLookup FindKey(const std::wstring& strKeyPath) const override;

 private:
  std::unique_ptr<RegistryStore> m_pUpper;
  std::unique_ptr<RegistryStore> m_pLower;
};

}  // namespace corvane::detail
