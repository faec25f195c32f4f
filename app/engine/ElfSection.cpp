#include "ElfSection.h"

#include <elf.h>

#include <bit>
#include <cstring>
#include <fstream>

namespace {

// Reads size bytes at offset; false when the file is shorter.
bool ReadAt(std::ifstream& in, std::uint64_t offset, void* pTarget, std::size_t size,
            std::uint64_t fileSize) {
  if (offset > fileSize || size > fileSize - offset) return false;
  in.seekg(static_cast<std::streamoff>(offset));
  return static_cast<bool>(in.read(static_cast<char*>(pTarget), static_cast<std::streamsize>(size)));
}

template <typename Ehdr, typename Shdr>
std::optional<std::vector<char>> FindSection(std::ifstream& in, std::uint64_t fileSize,
                                             std::string_view name) {
  Ehdr header{};
  if (!ReadAt(in, 0, &header, sizeof header, fileSize)) return std::nullopt;
  if (header.e_shentsize != sizeof(Shdr) || header.e_shnum == 0 ||
      header.e_shstrndx >= header.e_shnum)
    return std::nullopt;
  std::vector<Shdr> sections(header.e_shnum);
  if (!ReadAt(in, header.e_shoff, sections.data(), sections.size() * sizeof(Shdr), fileSize))
    return std::nullopt;
  const Shdr& names = sections[header.e_shstrndx];
  if (names.sh_size > ElfSection::kMaxSectionSize) return std::nullopt;
  std::vector<char> nameTable(names.sh_size + 1, '\0');  // ends in a zero in any case
  if (!ReadAt(in, names.sh_offset, nameTable.data(), names.sh_size, fileSize)) return std::nullopt;

  for (const Shdr& section : sections) {
    if (section.sh_name >= names.sh_size) continue;
    if (std::string_view(nameTable.data() + section.sh_name) != name) continue;
    if (section.sh_type == SHT_NOBITS || section.sh_size > ElfSection::kMaxSectionSize)
      return std::nullopt;
    std::vector<char> contents(section.sh_size);
    if (!ReadAt(in, section.sh_offset, contents.data(), contents.size(), fileSize))
      return std::nullopt;
    return contents;
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::vector<char>> ElfSection::Read(const std::filesystem::path& file,
                                                  std::string_view name) {
  std::error_code ec;
  const std::uint64_t fileSize = std::filesystem::file_size(file, ec);
  if (ec) return std::nullopt;
  std::ifstream in(file, std::ios::binary);
  unsigned char ident[EI_NIDENT] = {};
  if (!in || !ReadAt(in, 0, ident, sizeof ident, fileSize)) return std::nullopt;
  if (std::memcmp(ident, ELFMAG, SELFMAG) != 0) return std::nullopt;
  const unsigned char nativeOrder = std::endian::native == std::endian::little ? ELFDATA2LSB
                                                                              : ELFDATA2MSB;
  if (ident[EI_DATA] != nativeOrder) return std::nullopt;
  if (ident[EI_CLASS] == ELFCLASS64) return FindSection<Elf64_Ehdr, Elf64_Shdr>(in, fileSize, name);
  if (ident[EI_CLASS] == ELFCLASS32) return FindSection<Elf32_Ehdr, Elf32_Shdr>(in, fileSize, name);
  return std::nullopt;
}
