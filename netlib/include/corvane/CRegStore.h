#pragma once
// The registry store's files, for the programs that install printers: where
// the printer link reads (the file CORVANE_REGISTRY names when it is set;
// otherwise the user's file, $XDG_CONFIG_HOME/corvane/registry.reg, laid
// over the system's, /etc/corvane/registry.reg, a key in the user's file
// hiding the same key in the system's), and changing single values and keys
// in one of them. Every change keeps the file's other keys and values as
// they were and replaces the file atomically; a file that cannot be read is
// never overwritten. Key paths start with the root's name
// ("HKEY_LOCAL_MACHINE\SOFTWARE\...").
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <string>
#include <vector>

class CORVANE_EXPORT CRegStore {
 public:
  // The file a write goes to: CORVANE_REGISTRY's when it is set, else the
  // system's (bSystem) or the user's; empty when the user's is not known.
  static std::string WritePath(bool bSystem);
  // The files reads look in, the one that hides the others first.
  static std::vector<std::string> ReadPaths();

  // False with a reason in strError.
  static bool SetDword(const std::string& strFile, const std::wstring& strKeyPath,
                       const std::wstring& strValueName, DWORD dwValue, std::string& strError);
  // Removes the key and every key below it (nothing when there is none).
  static bool DeleteKey(const std::string& strFile, const std::wstring& strKeyPath,
                        std::string& strError);
  // Whether this one file holds the key (false also when it cannot be read).
  static bool HasKey(const std::string& strFile, const std::wstring& strKeyPath);
  // The key under which the printer link reads a queue's protocol, and the
  // value's name (0 UDP, 1 TCP).
  static std::wstring ProtocolKey(const std::wstring& strQueue);
  static const wchar_t* ProtocolValueName();
  // A 32-bit value as the printer link reads it, through every layer.
  static bool GetDword(const std::wstring& strKeyPath, const std::wstring& strValueName,
                       DWORD& dwValue);
};
