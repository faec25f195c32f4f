#include "BrowserCommand.h"

#include <algorithm>
#include <fstream>

#include "EnginePlatform.h"

namespace {

constexpr const wchar_t* kPlaceholders[] = {L"%u", L"%U", L"%f", L"%F"};

// The earliest position of any placeholder, each wrapped in `quote`.
std::size_t FindPlaceholder(const std::wstring& strCommand, const std::wstring& strQuote) {
  std::size_t position = std::wstring::npos;
  for (const wchar_t* pszCode : kPlaceholders)
    position = std::min(position, strCommand.find(strQuote + pszCode + strQuote));
  return position;
}

// The value of key in [group] of a desktop-entry style file; empty when absent.
std::string ReadKey(const std::filesystem::path& file, const std::string& strGroup,
                    const std::string& strKey) {
  std::ifstream in(file);
  bool bInGroup = false;
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line.front() == '[') {
      bInGroup = line == "[" + strGroup + "]";
      continue;
    }
    const std::size_t equals = line.find('=');
    if (!bInGroup || equals == std::string::npos) continue;
    std::string name = line.substr(0, equals);
    while (!name.empty() && name.back() == ' ') name.pop_back();
    if (name != strKey) continue;
    const std::size_t start = line.find_first_not_of(' ', equals + 1);
    return start == std::string::npos ? std::string() : line.substr(start);
  }
  return {};
}

// The mimeapps.list files in the order of precedence: per directory, the
// desktop-specific list before the general one.
std::vector<std::filesystem::path> MimeAppsLists(const XdgDirectories& dirs) {
  std::vector<std::filesystem::path> directories{dirs.configHome};
  directories.insert(directories.end(), dirs.configDirs.begin(), dirs.configDirs.end());
  directories.push_back(dirs.dataHome / "applications");
  for (const auto& data : dirs.dataDirs) directories.push_back(data / "applications");
  std::vector<std::filesystem::path> lists;
  for (const auto& directory : directories) {
    if (directory.empty()) continue;
    for (const std::string& desktop : dirs.desktops)
      lists.push_back(directory / (desktop + "-mimeapps.list"));
    lists.push_back(directory / "mimeapps.list");
  }
  return lists;
}

std::filesystem::path FindDesktopEntry(const XdgDirectories& dirs, const std::string& strId) {
  std::vector<std::filesystem::path> roots{dirs.dataHome};
  roots.insert(roots.end(), dirs.dataDirs.begin(), dirs.dataDirs.end());
  for (const auto& root : roots) {
    if (root.empty() || strId.find('/') != std::string::npos) continue;
    const auto candidate = root / "applications" / strId;
    std::error_code ec;
    if (std::filesystem::is_regular_file(candidate, ec)) return candidate;
  }
  return {};
}

}  // namespace

std::wstring BrowserCommand::DefaultHtmlExecLine(const XdgDirectories& dirs) {
  for (const auto& list : MimeAppsLists(dirs)) {
    std::string strIds = ReadKey(list, "Default Applications", "text/html") + ";";
    for (std::size_t start = 0, end; (end = strIds.find(';', start)) != std::string::npos;
         start = end + 1) {
      const std::string strId = strIds.substr(start, end - start);
      if (strId.empty()) continue;
      const auto entry = FindDesktopEntry(dirs, strId);
      if (entry.empty()) continue;
      return EnginePlatform::Utf8ToWide(ReadKey(entry, "Desktop Entry", "Exec"));
    }
  }
  return {};
}

std::wstring BrowserCommand::CommandLine(const std::wstring& strCommand,
                                         const std::wstring& strUrl) {
  std::wstring strLine = strCommand;
  std::size_t cut = FindPlaceholder(strCommand, L"\"");
  if (cut == std::wstring::npos) cut = FindPlaceholder(strCommand, L"");
  if (cut != std::wstring::npos) strLine.erase(cut);
  return strLine + L" " + strUrl;
}

std::vector<std::wstring> BrowserCommand::SplitArguments(const std::wstring& strCommandLine) {
  std::vector<std::wstring> arguments;
  std::wstring current;
  bool bInArgument = false, bQuoted = false;
  for (std::size_t i = 0; i < strCommandLine.size(); ++i) {
    const wchar_t c = strCommandLine[i];
    if (bQuoted && c == L'\\' && i + 1 < strCommandLine.size()) {
      current += strCommandLine[++i];
    } else if (c == L'"') {
      bQuoted = !bQuoted;
      bInArgument = true;
    } else if (!bQuoted && (c == L' ' || c == L'\t')) {
      if (bInArgument) arguments.push_back(current);
      current.clear();
      bInArgument = false;
    } else {
      current += c;
      bInArgument = true;
    }
  }
  if (bInArgument) arguments.push_back(current);
  std::vector<std::wstring> result;
  for (std::wstring& argument : arguments) {
    if (argument.size() == 2 && argument[0] == L'%' && argument[1] != L'%') continue;
    for (std::size_t at = 0; (at = argument.find(L"%%", at)) != std::wstring::npos; ++at)
      argument.erase(at, 1);
    result.push_back(std::move(argument));
  }
  return result;
}
