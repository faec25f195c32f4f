#pragma once
// Changes a registry store's text line by line, so that every line the
// change does not concern stays as it was: other keys and values keep their
// order, spelling, comments, blank lines and line ends; new lines end like
// the file's last line. A value replaces the
// last line that set it in its key's last section, or is added after that
// section's last value; a new key becomes a section at the end; a removed
// key loses its sections (and those of the keys below it).
//
// Edit() checks the result by reading it back: when the text does not say
// what the store with the changes applied holds (sections that deleting
// lines of the file itself undo, for example), the whole store is written
// anew from its values instead, so a change is never applied wrongly.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "registry/RegistryEdit.h"
#include "registry/RegistryParser.h"

namespace corvane::detail {

class RegistryEditor {
 public:
  // text: the store's characters, without byte-order mark; empty for a store
  // that does not exist yet.
  explicit RegistryEditor(const std::wstring& text);

  void Apply(const RegistryEdit& edit);
  std::wstring Text() const;

  // The store's bytes after the edits, in the store's own encoding (UTF-16LE
  // or UTF-8, byte-order mark kept); nullopt with the reason when the store
  // cannot be read (it is then left alone).
  static std::optional<std::string> Edit(std::string_view bytes,
                                         const std::vector<RegistryEdit>& edits,
                                         RegistryParser::Error& error);

 private:
  struct Header {
    std::size_t uiLine;
    std::wstring strPath;
    bool bDelete;
  };

  std::vector<Header> Headers() const;
  std::size_t BlockEnd(std::size_t uiHeader) const;
  void SetValue(const RegistryEdit& edit);
  void DeleteKey(const std::wstring& strPath);
  void Append(const std::vector<std::wstring>& lines);
  std::wstring Line(std::wstring text) const;

  std::vector<std::wstring> m_lines;  // each with its carriage return, if it has one
  bool m_bCrLf = false;               // new lines end in CR LF
  bool m_bFinalEol = true;
};

}  // namespace corvane::detail
