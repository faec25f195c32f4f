#include "printer/CRegHnd.h"

#include <algorithm>
#include <array>
#include <cwchar>

#include "platform/RegistryErrorHook.h"
#include "printer/CorvaneStrings.h"

namespace detail = corvane::detail;

CRegHnd::CRegHnd() : CRegHnd(detail::RegistryStore::Default()) {}

CRegHnd::CRegHnd(std::unique_ptr<detail::RegistryStore> pStore) : m_pStore(std::move(pStore)) {}

CRegHnd::~CRegHnd() = default;

void CRegHnd::Init(HWND hWndOwner, const std::wstring& strAppName) {
  m_hWndOwner = hWndOwner;
  m_strAppName = strAppName;
  m_strRegPath += strAppName + L"\\App. settings";
}

std::wstring CRegHnd::FullPath(HKEY hRoot, const std::wstring& strKeyPath) {
  static constexpr std::array<const wchar_t*, 5> kNames = {
      L"HKEY_CLASSES_ROOT", L"HKEY_CURRENT_USER", L"HKEY_LOCAL_MACHINE", L"HKEY_USERS",
      L"HKEY_CURRENT_CONFIG"};
  std::wstring path = kNames[static_cast<std::size_t>(hRoot)];
  if (!strKeyPath.empty()) path += L"\\" + strKeyPath;
  return path;
}

DWORD CRegHnd::Lookup(HKEY hRoot, const std::wstring& strKeyPath,
                      const std::wstring& strValueName, detail::RegistryValue& value) const {
  if (!m_pStore) return detail::kRegNone;
  const auto found = m_pStore->FindValue(FullPath(hRoot, strKeyPath), strValueName, value);
  return found == detail::RegistryLookup::kFound ? value.dwType : detail::kRegNone;
}

detail::RegistryLookup CRegHnd::FindKey(HKEY hRoot, const std::wstring& strKeyPath) const {
  if (!m_pStore) return detail::RegistryLookup::kUnreadable;
  return m_pStore->FindKey(FullPath(hRoot, strKeyPath));
}

DWORD CRegHnd::QueryRegValue(HKEY hRoot, const std::wstring& strKeyPath,
                             const std::wstring& strValueName, const BYTE* pDefault, BYTE* pData,
                             DWORD dwSize) {
  detail::RegistryValue value;
  const DWORD dwType = Lookup(hRoot, strKeyPath, strValueName, value);
  if (dwType == detail::kRegNone) {
    if (pDefault != nullptr) std::copy_n(pDefault, dwSize, pData);
    return 0;
  }
  // A value larger than the buffer counts as read; the buffer gets its start.
  std::copy_n(value.data.begin(), std::min<std::size_t>(dwSize, value.data.size()), pData);
  return dwType;
}

std::wstring CRegHnd::GetRegString(HKEY hRoot, const std::wstring& strKeyPath,
                                   const std::wstring& strValueName) {
  detail::RegistryValue value;
  if (Lookup(hRoot, strKeyPath, strValueName, value) != detail::kRegSz) {
    ShowRegError(detail::kIdsRegistryTextFailed, detail::kIdsRegistryCaption,
                 strKeyPath + L"\\" + strValueName);
    return L"ERROR";
  }
  // The whole text, also one longer than the value buffer.
  return value.AsText();
}

DWORD CRegHnd::GetRegDword(HKEY hRoot, const std::wstring& strKeyPath,
                           const std::wstring& strValueName, DWORD* pdwSuccess) {
  std::array<BYTE, kValueBufferBytes> buffer{};
  const std::array<BYTE, kValueBufferBytes> zeros{};
  const DWORD dwType = QueryRegValue(hRoot, strKeyPath, strValueName, zeros.data(), buffer.data(),
                                     static_cast<DWORD>(buffer.size()));
  if (dwType != detail::kRegDword) {
    ShowRegError(detail::kIdsRegistryNumberFailed, detail::kIdsRegistryCaption,
                 strKeyPath + L"\\" + strValueName);
    if (pdwSuccess != nullptr) *pdwSuccess = 0;
    return 0;
  }
  if (pdwSuccess != nullptr) *pdwSuccess = 1;
  return static_cast<DWORD>(buffer[0]) | (static_cast<DWORD>(buffer[1]) << 8) |
         (static_cast<DWORD>(buffer[2]) << 16) | (static_cast<DWORD>(buffer[3]) << 24);
}

void CRegHnd::ShowRegError(UINT uFormatId, UINT uCaptionId, const std::wstring& strArgument) {
  std::wstring text;
  const std::wstring format = detail::LoadLibraryString(uFormatId);
  const std::size_t at = format.find(L"%ls");
  if (at != std::wstring::npos) {
    text = format.substr(0, at) + strArgument + format.substr(at + 3);
  } else {
    text = format;
  }
  if (text.size() > kErrorTextChars - 1) text.resize(kErrorTextChars - 1);
  detail::ReportRegistryError(m_hWndOwner, detail::LoadLibraryString(uCaptionId), text);
}
