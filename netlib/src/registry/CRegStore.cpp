#include <corvane/CRegStore.h>

#include "platform/RegistryStore.h"
#include "printer/ProtocolKey.h"

namespace detail = corvane::detail;

std::string CRegStore::WritePath(bool bSystem) {
  const std::string environment = detail::RegistryStore::EnvironmentPath();
  if (!environment.empty()) return environment;
  return bSystem ? detail::RegistryStore::SystemPath() : detail::RegistryStore::UserPath();
}

std::vector<std::string> CRegStore::ReadPaths() {
  const std::string environment = detail::RegistryStore::EnvironmentPath();
  if (!environment.empty()) return {environment};
  std::vector<std::string> paths;
  if (const std::string user = detail::RegistryStore::UserPath(); !user.empty())
    paths.push_back(user);
  paths.push_back(detail::RegistryStore::SystemPath());
  return paths;
}

std::wstring CRegStore::ProtocolKey(const std::wstring& strQueue) {
  return std::wstring(L"HKEY_LOCAL_MACHINE\\") + detail::kProtocolKey + strQueue;
}

const wchar_t* CRegStore::ProtocolValueName() { return detail::kProtocolValue; }

bool CRegStore::SetDword(const std::string& strFile, const std::wstring& strKeyPath,
                         const std::wstring& strValueName, DWORD dwValue, std::string& strError) {
  if (strFile.empty()) {
    strError = "no registry store file (neither CORVANE_REGISTRY nor HOME is set)";
    return false;
  }
  return detail::RegistryFileStore(strFile).Apply(
      {detail::RegistryEdit::SetValue(strKeyPath, strValueName,
                                      detail::RegistryValue::Number(dwValue))},
      strError);
}

bool CRegStore::DeleteKey(const std::string& strFile, const std::wstring& strKeyPath,
                          std::string& strError) {
  return detail::RegistryFileStore(strFile).Apply({detail::RegistryEdit::DeleteKey(strKeyPath)},
                                                  strError);
}

bool CRegStore::HasKey(const std::string& strFile, const std::wstring& strKeyPath) {
  return detail::RegistryFileStore(strFile).FindKey(strKeyPath) == detail::RegistryLookup::kFound;
}

bool CRegStore::GetDword(const std::wstring& strKeyPath, const std::wstring& strValueName,
                         DWORD& dwValue) {
  detail::RegistryValue value;
  if (detail::RegistryStore::Default()->FindValue(strKeyPath, strValueName, value) !=
      detail::RegistryLookup::kFound)
    return false;
  const std::optional<DWORD> number = value.AsNumber();
  if (number) dwValue = *number;
  return number.has_value();
}
