#pragma once
// Reads single values from the registry store: a text or a 32-bit number
// under a root key and key path. A read that fails is reported before the
// sentinel comes back ("ERROR" for a text, 0 with a cleared flag for a
// number): the report goes to the hook of <corvane/RegistryErrorReport.h>.
// The store is opened for reading only.
#include <corvane/CorvaneTypes.h>

#include <cstddef>
#include <memory>
#include <string>

#include "platform/RegistryStore.h"

enum class HKEY { kClassesRoot, kCurrentUser, kLocalMachine, kUsers, kCurrentConfig };
constexpr HKEY HKEY_LOCAL_MACHINE = HKEY::kLocalMachine;
constexpr HKEY HKEY_CURRENT_USER = HKEY::kCurrentUser;
using HWND = void*;

class CRegHnd {
 public:
  static constexpr std::size_t kValueBufferBytes = 250;
  static constexpr std::size_t kErrorTextChars = 250;

  std::wstring m_strAppName;
  std::wstring m_strRegPath = L"Software\\Tarvel\\";
  HWND m_hWndOwner = nullptr;

  // Reads the default store (RegistryStore::Default).
  CRegHnd();
  explicit CRegHnd(std::unique_ptr<corvane::detail::RegistryStore> pStore);
  virtual ~CRegHnd();

  // Appends the name and "\App. settings" to m_strRegPath, at every call.
  void Init(HWND hWndOwner, const std::wstring& strAppName);

  // The text, or "ERROR" (reported) when the value is missing or not a text.
  std::wstring GetRegString(HKEY hRoot, const std::wstring& strKeyPath,
                            const std::wstring& strValueName);
  // The number with *pdwSuccess 1, or 0 with *pdwSuccess 0 (reported) when
  // the value is missing or not a 32-bit number.
  DWORD GetRegDword(HKEY hRoot, const std::wstring& strKeyPath, const std::wstring& strValueName,
                    DWORD* pdwSuccess);
  // Copies the value's data (at most dwSize bytes) into pData and gives its
  // type; when it cannot be read, copies dwSize default bytes and gives 0.
  DWORD QueryRegValue(HKEY hRoot, const std::wstring& strKeyPath,
                      const std::wstring& strValueName, const BYTE* pDefault, BYTE* pData,
                      DWORD dwSize);
  // Whether the key is in the store (kUnreadable when the store cannot be
  // read); nothing is reported.
  corvane::detail::RegistryLookup FindKey(HKEY hRoot, const std::wstring& strKeyPath) const;
  // Formats the text of uFormatId with the argument (cut to 249 characters)
  // and reports it under the caption of uCaptionId.
  void ShowRegError(UINT uFormatId, UINT uCaptionId, const std::wstring& strArgument);

  // The store's full path of a key: the root's name, "\", the path.
  static std::wstring FullPath(HKEY hRoot, const std::wstring& strKeyPath);

 private:
  DWORD Lookup(HKEY hRoot, const std::wstring& strKeyPath, const std::wstring& strValueName,
               corvane::detail::RegistryValue& value) const;

  std::unique_ptr<corvane::detail::RegistryStore> m_pStore;
};
