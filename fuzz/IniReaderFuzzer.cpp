// Fuzzes the settings readers: an INI file of any content read for every
// setting (and for a section and key taken from the input), the command
// line of the same bytes, and the host list (szHosts) of the same text.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "CHostList.h"
#include "CIniReader.h"
#include "CLumoraApp.h"
#include "FuzzInput.h"

namespace {

// One file per process, rewritten for every input and removed at exit; in
// memory (/dev/shm) where there is such a place, as rewriting a file on disk
// thousands of times a second would be most of the work.
const std::filesystem::path& IniPath() {
  static const std::filesystem::path path = [] {
    std::error_code ec;
    const std::filesystem::path dir = std::filesystem::is_directory("/dev/shm", ec)
                                          ? std::filesystem::path("/dev/shm")
                                          : std::filesystem::temp_directory_path();
    auto p = dir / ("lumora-ini-fuzz-" + std::to_string(::getpid()) + ".ini");
    std::atexit([] { std::remove(IniPath().c_str()); });
    return p;
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, std::size_t uiSize) {
  FuzzInput in(pData, uiSize);
  const std::wstring strKey = Widen(in.ShortRun());
  const std::wstring strSection = Widen(in.ShortRun());
  const std::string content = in.Rest();
  std::ofstream(IniPath(), std::ios::binary | std::ios::trunc) << content;

  CIniReader reader;
  Require(reader.SetFileName(IniPath()) == 1);
  const std::wstring value = reader.ReadValue(strKey, strSection);
  Require(value.size() <= CIniReader::kMaxValueLength && value.find(L'\n') == std::wstring::npos);
  CIniReader::ToDword(value);

  CLumoraApp app{std::filesystem::path("/nonexistent/lumora")};
  Require(app.ReadIniFile(IniPath()) == 1);
  app.ParseCommandLine(Widen(content));
  Require(app.m_dwFlags <= 7);

  std::vector<DWORD> hosts;
  std::wstring error;
  if (CHostList::Parse(Widen(content), hosts, error)) {
    Require(hosts.size() <= CHostList::kMaxAddresses);
  } else {
    Require(!error.empty());
  }
  return 0;
}
