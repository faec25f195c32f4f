#pragma once
// A small data file read whole and replaced atomically: the new content goes
// to a temporary file in the same folder, is flushed to the disk and renamed
// over the old file, so that a reader sees either the old or the new content
// and a write cut short (a crash, a full disk) leaves the old file as it was.
// Writers of one folder take turns through a lock on the folder (flock), so
// that two changes made at the same time do not lose one another.
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "platform/SocketHandle.h"

namespace corvane::detail {

class StoreFile {
 public:
  enum class Read { kRead, kAbsent, kFailed };
  // The steps of a replacement, for tests that make one of them fail.
  enum class Stage { kCreateTemporary, kWrite, kSync, kRename };
  // Returns true to make the stage fail (as if the system call had failed).
  using Fault = std::function<bool(Stage)>;

  StoreFile(std::string strPath, std::size_t uiMaxBytes)
      : m_strPath(std::move(strPath)), m_uiMaxBytes(uiMaxBytes) {}

  // The whole file; kAbsent when there is none.
  Read ReadAll(std::string& bytes, std::string& reason) const;
  // Creates the folder (and its parents, mode 0755) when missing, then
  // waits for the folder's lock; it is held until this object goes.
  bool Lock(std::string& reason);
  // Replaces the content (keeping the old file's mode and owner; a new file
  // gets mode 0644). On failure the old file is untouched and no temporary
  // file stays behind.
  bool Replace(std::string_view bytes, std::string& reason) const;

  const std::string& Path() const { return m_strPath; }

  // Installs a fault for the tests; an empty one removes it.
  static void SetFaultForTesting(Fault fault);

 private:
  std::string Folder() const;

  std::string m_strPath;
  std::size_t m_uiMaxBytes;
  platform::SocketHandle m_folderLock;
};

}  // namespace corvane::detail
