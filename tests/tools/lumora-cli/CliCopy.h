#pragma once
// A copy of lumora-cli in a directory of its own, so that its lumora.ini,
// lumora.log, state/lumora/changes.jsonl (XDG_STATE_HOME) and user INI file
// config/lumora/lumora.ini (XDG_CONFIG_HOME) are the test's.
#include "ChildRun.h"
#include "FileText.h"
#include "TempDir.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

class CliCopy {
 public:
  CliCopy() {
    m_exe = m_dir.path() / "lumora-cli";
    std::filesystem::copy_file(LUMORA_BINARY_DIR "/bin/lumora-cli", m_exe);
    setenv("XDG_STATE_HOME", (m_dir.path() / "state").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (m_dir.path() / "config").c_str(), 1);
  }
  struct Result {
    int exit;
    std::string out, err;
  };
  Result Run(std::vector<std::string> args,
             std::chrono::seconds limit = std::chrono::seconds(120)) {
    args.insert(args.begin(), m_exe.string());
    ChildRun run(args);
    const int code = run.Wait(limit);
    return {code, run.Out(), run.Err()};
  }
  void WriteFile(const std::string& name, const std::string& text) {
    std::filesystem::create_directories((m_dir.path() / name).parent_path());
    std::ofstream(m_dir.path() / name) << text;
  }
  std::string ReadFile(const std::string& name) const { return FileText(m_dir.path() / name); }
  std::filesystem::path Path(const std::string& name) const { return m_dir.path() / name; }
  const std::filesystem::path& Exe() const { return m_exe; }
  std::string Journal() const { return ReadFile("state/lumora/changes.jsonl"); }

 private:
  TempDir m_dir;
  std::filesystem::path m_exe;
};
