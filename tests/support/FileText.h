#pragma once
// The whole content of a file, byte for byte; empty when it cannot be read.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
