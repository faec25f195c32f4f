#include "CLumoraApp.h"

#include "CIniReader.h"
#include "EnginePlatform.h"
#include "XdgDirectories.h"

#include <algorithm>

#include <system_error>
#include <utility>

namespace {

// Every INI setting, in the order it is read.
struct IniSetting {
  const wchar_t* szSection;
  const wchar_t* szKey;
  DWORD CLumoraApp::*pMember;
};

const IniSetting kIniSettings[] = {
    {L"UDPTXRXPORT", L"uiRxPort", &CLumoraApp::uiRxPort},
    {L"UDPTXRXPORT", L"uiTxPort", &CLumoraApp::uiTxPort},
    {L"RETRYTIME", L"dwMaxDiscoveryTry", &CLumoraApp::dwMaxDiscoveryTry},
    {L"RETRYTIME", L"dwMaxNoDataReadTry", &CLumoraApp::dwMaxNoDataReadTry},
    {L"TIMEOUT", L"dwReciveThreadTimeout", &CLumoraApp::dwReciveThreadTimeout},
    {L"TIMEOUT", L"dwRxEthTimeout", &CLumoraApp::dwRxEthTimeout},
    {L"TIMEOUT", L"dwTxEthTimeout", &CLumoraApp::dwTxEthTimeout},
    {L"TIMEOUT", L"dwRxThreadIdleTimeout", &CLumoraApp::dwRxThreadIdleTimeout},
    {L"TIMEOUT", L"dwTxThreadIdleTimeout", &CLumoraApp::dwTxThreadIdleTimeout},
    {L"BROADCAST", L"dwBroadcastType", &CLumoraApp::dwBroadcastType},
    {L"LOGFILE", L"btLoggingOn", &CLumoraApp::btLoggingOn},
};

struct Switch {
  const wchar_t* szWord;
  DWORD dwFlag;
};

// "/DUBUG" is the program's debug switch as it has always been spelt.
const Switch kSwitches[] = {
    {L"/DUBUG", CLumoraApp::kFlagDebug},   {L"/D", CLumoraApp::kFlagDebug},
    {L"/LOGGING", CLumoraApp::kFlagLogging}, {L"/L", CLumoraApp::kFlagLogging},
    {L"/ADV", CLumoraApp::kFlagAdvanced},  {L"/A", CLumoraApp::kFlagAdvanced},
};

std::wstring ToUpperAscii(std::wstring strText) {
  for (wchar_t& wc : strText) {
    if (wc >= L'a' && wc <= L'z') wc = static_cast<wchar_t>(wc - L'a' + L'A');
  }
  return strText;
}

}  // namespace

CLumoraApp::CLumoraApp() : CLumoraApp(EnginePlatform::ExecutablePath()) {}

CLumoraApp::CLumoraApp(std::filesystem::path executablePath)
    : m_executablePath(std::move(executablePath)) {}

CLumoraApp::~CLumoraApp() = default;

int CLumoraApp::InitInstance(int argc, char** argv) {
  ParseCommandLine(BuildCommandLine(argc, argv));
  ReadIniFile();
  OpenLogFile();
  return RunMainWindow();
}

void CLumoraApp::ParseCommandLine(const std::wstring& fullCommandLine) {
  if (fullCommandLine.empty()) return;
  std::wstring strRest = ToUpperAscii(fullCommandLine);
  // The first word is the program path; each blank starts the next word.
  for (std::size_t blank = strRest.find(L' '); blank != std::wstring::npos; blank = strRest.find(L' ')) {
    strRest.erase(0, blank + 1);
    const std::wstring strWord = strRest.substr(0, strRest.find(L' '));
    for (const Switch& sw : kSwitches) {
      if (strWord == sw.szWord) m_dwFlags |= sw.dwFlag;
    }
  }
}

std::wstring CLumoraApp::BuildCommandLine(int argc, char** argv) {
  std::wstring strLine;
  for (int i = 0; i < argc && argv != nullptr && argv[i] != nullptr; ++i) {
    if (i > 0) strLine += L' ';
    strLine += EnginePlatform::Utf8ToWide(argv[i]);
  }
  return strLine;
}

BOOL CLumoraApp::ReadIniFile() {
  const std::filesystem::path iniPath = FindIniFile();
  return iniPath.empty() ? 0 : ReadIniFile(iniPath);
}

BOOL CLumoraApp::ReadIniFile(const std::filesystem::path& iniPath) {
  CIniReader reader;
  if (!reader.SetFileName(iniPath)) return 0;
  for (const IniSetting& setting : kIniSettings) {
    this->*setting.pMember = reader.ReadDword(setting.szKey, setting.szSection);
  }
  ReadOwnKeys(reader);
  return 1;
}

void CLumoraApp::ReadOwnKeys(const CIniReader& reader) {
  const std::wstring strInterfaces = reader.ReadValue(L"szInterfaces", L"NETWORK");
  const std::wstring strHosts = reader.ReadValue(L"szHosts", L"NETWORK");
  const std::wstring strFillIn = reader.ReadValue(L"dwMaxFillInTry", L"RETRYTIME");
  if (!strInterfaces.empty()) szInterfaces = strInterfaces;
  if (!strHosts.empty()) szHosts = strHosts;
  if (!strFillIn.empty()) dwMaxFillInTry = CIniReader::ToDword(strFillIn);
}

BOOL CLumoraApp::OpenLogFile() {
  const std::filesystem::path exeDir = GetExecutableDirectory();
  if (!m_executablePath.empty() && !IsSystemProgramDirectory(exeDir) && OpenLogFileIn(exeDir)) return 1;
  // Installed system-wide, the program cannot write beside itself.
  const std::filesystem::path stateDir = EnginePlatform::UserStateDirectory();
  if (stateDir.empty()) return 0;
  const std::filesystem::path logDir = stateDir / "lumora";
  std::error_code ec;
  std::filesystem::create_directories(logDir, ec);
  return OpenLogFileIn(logDir);
}

BOOL CLumoraApp::OpenLogFileIn(const std::filesystem::path& directory) {
  return m_LogFile.Open(EnginePlatform::PathToWide(directory), GetAppName() + L".log", 1);
}

void CLumoraApp::SetExecutablePath(std::filesystem::path executablePath) {
  m_executablePath = std::move(executablePath);
}

std::filesystem::path CLumoraApp::GetExecutableDirectory() const { return m_executablePath.parent_path(); }

std::wstring CLumoraApp::GetAppName() const {
  const std::filesystem::path stem = m_executablePath.stem();
  return stem.empty() ? L"lumora" : EnginePlatform::PathToWide(stem);
}

std::filesystem::path CLumoraApp::GetDefaultIniPath() const {
  return GetExecutableDirectory() / EnginePlatform::WideToPath(GetAppName() + L".ini");
}

std::vector<std::filesystem::path> CLumoraApp::GetIniCandidates() const {
  std::vector<std::filesystem::path> candidates;
  if (!m_executablePath.empty()) candidates.push_back(GetDefaultIniPath());
  const std::filesystem::path configHome = XdgDirectories::FromEnvironment().configHome;
  if (!configHome.empty()) candidates.push_back(configHome / "lumora" / "lumora.ini");
  if (!m_systemIniPath.empty()) candidates.push_back(m_systemIniPath);
  return candidates;
}

std::filesystem::path CLumoraApp::FindIniFile() const {
  for (const std::filesystem::path& candidate : GetIniCandidates()) {
    std::error_code ec;
    if (std::filesystem::exists(candidate, ec)) return candidate;
  }
  return {};
}

bool CLumoraApp::IsSystemProgramDirectory(const std::filesystem::path& directory) {
  static const std::filesystem::path kProgramDirs[] = {
      "/bin", "/sbin", "/usr/bin", "/usr/sbin", "/usr/games", "/usr/local/bin", "/usr/local/sbin"};
  const std::filesystem::path normal = directory.lexically_normal();
  return std::ranges::any_of(kProgramDirs, [&](const auto& dir) {
    return normal == dir || normal == dir / "";
  });
}
