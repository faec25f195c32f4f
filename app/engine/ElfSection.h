#pragma once
// Reads the contents of one named section from an ELF file (32 or 64 bit, in
// the machine's byte order), checking every offset and size against the file,
// so a damaged or foreign file gives no section rather than a crash.
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

namespace ElfSection {

// Sections larger than this are refused.
constexpr std::size_t kMaxSectionSize = 1 << 20;

std::optional<std::vector<char>> Read(const std::filesystem::path& file, std::string_view name);

}  // namespace ElfSection
