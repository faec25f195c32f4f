#include "CReachPreferences.h"

#include "EnginePlatform.h"
#include "XdgDirectories.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <system_error>

namespace {

constexpr const char* kSection = "[NETWORK]";
constexpr const char* kInterfacesKey = "szInterfaces";
constexpr const char* kHostsKey = "szHosts";

std::string Trimmed(const std::string& strText) {
  const auto first = strText.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return strText.substr(first, strText.find_last_not_of(" \t\r") - first + 1);
}

bool SameKey(const std::string& a, const std::string& b) {
  return std::ranges::equal(a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

// One line per value whatever it holds.
std::string OneLine(const std::wstring& strValue) {
  std::string text = EnginePlatform::WideToUtf8(strValue);
  std::ranges::replace_if(text, [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return text;
}

}  // namespace

std::filesystem::path CReachPreferences::DefaultPath() {
  const std::filesystem::path home = XdgDirectories::FromEnvironment().configHome;
  return home.empty() ? std::filesystem::path() : home / "lumora" / "lumora-ui.ini";
}

CReachPreferences::CReachPreferences(std::filesystem::path path) : m_Path(std::move(path)) {}

// Section and key names compare without regard to case, as in lumora.ini;
// lines outside [NETWORK] and unknown keys are ignored.
void CReachPreferences::Load() {
  interfaces.reset();
  hosts.reset();
  std::ifstream file(m_Path);
  bool bInSection = false;
  for (std::string strLine; std::getline(file, strLine);) {
    strLine = Trimmed(strLine);
    if (strLine.empty() || strLine.front() == ';') continue;
    if (strLine.front() == '[') {
      bInSection = SameKey(strLine, kSection);
      continue;
    }
    const auto equals = strLine.find('=');
    if (!bInSection || equals == std::string::npos) continue;
    const std::string strKey = Trimmed(strLine.substr(0, equals));
    const std::wstring strValue = EnginePlatform::Utf8ToWide(Trimmed(strLine.substr(equals + 1)));
    if (SameKey(strKey, kInterfacesKey)) interfaces = strValue;
    if (SameKey(strKey, kHostsKey)) hosts = strValue;
  }
}

// Written beside the file and renamed over it, so that a failure never
// leaves half a file.
bool CReachPreferences::Save(std::wstring& strError) const {
  std::error_code ec;
  if (m_Path.empty()) {
    strError = L"no home folder to keep the choice in";
    return false;
  }
  std::filesystem::create_directories(m_Path.parent_path(), ec);
  const std::filesystem::path temporary = m_Path.string() + ".new";
  {
    std::ofstream file(temporary, std::ios::trunc);
    file << "; Lumora's window: choices of \"Network interfaces...\" and \"Find printers by address...\"\n"
         << kSection << "\n";
    if (interfaces) file << kInterfacesKey << "=" << OneLine(*interfaces) << "\n";
    if (hosts) file << kHostsKey << "=" << OneLine(*hosts) << "\n";
    file.flush();
    if (!file) {
      strError = L"cannot write " + temporary.wstring();
      std::filesystem::remove(temporary, ec);
      return false;
    }
  }
  std::filesystem::rename(temporary, m_Path, ec);
  if (ec) {
    strError = L"cannot write " + m_Path.wstring() + L": " + EnginePlatform::Utf8ToWide(ec.message());
    std::filesystem::remove(temporary, ec);
    return false;
  }
  return true;
}
