#pragma once
// lumora-cli query: one of the framed queries of lumora's hidden test
// commands (full status, device identity) to one printer; prints the answer.
#include "CliCommand.h"

#include <corvane/CorvaneTypes.h>

#include <filesystem>
#include <optional>
#include <string>

class QueryCommand : public CliCommand {
 public:
  struct Options {
    std::string ip;                                // --ip
    std::string query;                             // full-status | device-id
    std::optional<std::filesystem::path> iniPath;  // --ini FILE
    bool bDebug = false;                           // --debug
  };

  std::string Name() const override { return "query"; }
  std::string Summary() const override;
  void AddOptions(CLI::App& sub) override;
  int Run() override;

  const Options& GetOptions() const { return m_Options; }

  // The answer as lumora's debug console shows a frame: the header, then the
  // data bytes in hex between angle brackets; a second line "text: ..." when
  // every data byte is a printable character.
  static std::string Report(const BYTE* pData, DWORD dwLength);

 private:
  Options m_Options;
};
