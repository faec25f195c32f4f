#pragma once
// The answer to --version, so that support can ask which release is running:
// the program's name, then the product name and version from the version
// block the build embeds into the executable file.
#include <filesystem>
#include <string>

struct ProgramVersion {
  // "lumora-cli (Lumora) 0, 1, 2, 1"; empty when the file has no version block.
  static std::string Line(const std::string& strProgram, const std::filesystem::path& executable);
};
