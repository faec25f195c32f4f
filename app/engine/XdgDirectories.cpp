#include "XdgDirectories.h"

#include <algorithm>
#include <cctype>
#include <sstream>

#include "EnginePlatform.h"

namespace {

std::vector<std::string> SplitList(const std::string& strValue) {
  std::vector<std::string> parts;
  std::stringstream stream(strValue);
  for (std::string part; std::getline(stream, part, ':');)
    if (!part.empty()) parts.push_back(part);
  return parts;
}

// Only absolute paths count; anything else falls back to the default.
std::vector<std::filesystem::path> PathList(const char* pszName, const char* pszDefault) {
  std::vector<std::filesystem::path> paths;
  for (const std::string& part : SplitList(EnginePlatform::EnvironmentValue(pszName)))
    if (part.front() == '/') paths.emplace_back(part);
  if (paths.empty())
    for (const std::string& part : SplitList(pszDefault)) paths.emplace_back(part);
  return paths;
}

std::filesystem::path HomePath(const char* pszName, const char* pszBelowHome) {
  const std::string strValue = EnginePlatform::EnvironmentValue(pszName);
  if (!strValue.empty() && strValue.front() == '/') return strValue;
  const std::string strHome = EnginePlatform::EnvironmentValue("HOME");
  return strHome.empty() ? std::filesystem::path() : std::filesystem::path(strHome) / pszBelowHome;
}

}  // namespace

XdgDirectories XdgDirectories::FromEnvironment() {
  XdgDirectories dirs;
  dirs.configHome = HomePath("XDG_CONFIG_HOME", ".config");
  dirs.configDirs = PathList("XDG_CONFIG_DIRS", "/etc/xdg");
  dirs.dataHome = HomePath("XDG_DATA_HOME", ".local/share");
  dirs.dataDirs = PathList("XDG_DATA_DIRS", "/usr/local/share:/usr/share");
  for (std::string desktop : SplitList(EnginePlatform::EnvironmentValue("XDG_CURRENT_DESKTOP"))) {
    std::ranges::transform(desktop, desktop.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    dirs.desktops.push_back(desktop);
  }
  return dirs;
}
