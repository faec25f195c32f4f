#include "platform/StoreFile.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <mutex>

namespace corvane::detail {
namespace {

std::mutex g_faultMutex;
StoreFile::Fault g_fault;

bool Injected(StoreFile::Stage stage) {
  const std::lock_guard lock(g_faultMutex);
  if (g_fault && g_fault(stage)) {
    errno = EIO;
    return true;
  }
  return false;
}

std::string Because(const std::string& what) { return what + ": " + std::strerror(errno); }

bool MakeFolders(const std::string& folder, std::string& reason) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) return true;
    errno = ENOTDIR;
    reason = Because("cannot use the folder " + folder);
    return false;
  }
  const std::size_t slash = folder.find_last_of('/');
  if (slash != std::string::npos && slash > 0 && !MakeFolders(folder.substr(0, slash), reason))
    return false;
  if (::mkdir(folder.c_str(), 0755) == 0 || errno == EEXIST) return true;
  reason = Because("cannot create the folder " + folder);
  return false;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

void StoreFile::SetFaultForTesting(Fault fault) {
  const std::lock_guard lock(g_faultMutex);
  g_fault = std::move(fault);
}

std::string StoreFile::Folder() const {
  const std::size_t slash = m_strPath.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : m_strPath.substr(0, slash);
}

StoreFile::Read StoreFile::ReadAll(std::string& bytes, std::string& reason) const {
  bytes.clear();
  platform::SocketHandle fd(::open(m_strPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.IsValid()) {
    if (errno == ENOENT) return Read::kAbsent;
    reason = std::strerror(errno);
    return Read::kFailed;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    reason = "not a regular file";
    return Read::kFailed;
  }
  char chunk[8192];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
    if (n == 0) return Read::kRead;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      reason = std::strerror(errno);
      return Read::kFailed;
    }
    bytes.append(chunk, static_cast<std::size_t>(n));
    if (bytes.size() > m_uiMaxBytes) {
      reason = "store too large";
      return Read::kFailed;
    }
  }
}

bool StoreFile::Lock(std::string& reason) {
  const std::string folder = Folder();
  if (!MakeFolders(folder, reason)) return false;
  platform::SocketHandle fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!fd.IsValid()) {
    reason = Because("cannot open the folder " + folder);
    return false;
  }
  // Writers hold the lock only while they read, change and rename one
  // small file.
  int rc;
  while ((rc = ::flock(fd.Get(), LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (rc != 0) {
    reason = Because("cannot lock the folder " + folder);
    return false;
  }
  m_folderLock = std::move(fd);
  return true;
}

bool StoreFile::Replace(std::string_view bytes, std::string& reason) const {
  std::string temporary = Folder() + "/." + m_strPath.substr(m_strPath.find_last_of('/') + 1) +
                          ".XXXXXX";
  platform::SocketHandle fd(Injected(Stage::kCreateTemporary)
                                ? -1
                                : ::mkostemp(temporary.data(), O_CLOEXEC));
  if (!fd.IsValid()) {
    reason = Because("cannot create a temporary file beside " + m_strPath);
    return false;
  }
  struct stat old {};
  const bool bOld = ::stat(m_strPath.c_str(), &old) == 0;
  ::fchmod(fd.Get(), bOld ? (old.st_mode & 07777) : 0644);
  if (bOld && ::geteuid() == 0) (void)::fchown(fd.Get(), old.st_uid, old.st_gid);
  const char* failed = nullptr;
  if (Injected(Stage::kWrite) || !WriteAll(fd.Get(), bytes)) {
    failed = "cannot write";
  } else if (Injected(Stage::kSync) || ::fsync(fd.Get()) != 0) {
    failed = "cannot flush";
  } else if (::close(fd.Release()) != 0) {
    failed = "cannot write";
  } else if (Injected(Stage::kRename) || ::rename(temporary.c_str(), m_strPath.c_str()) != 0) {
    failed = "cannot replace";
  }
  if (failed != nullptr) {
    reason = Because(std::string(failed) + " " + m_strPath);
    ::unlink(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  if (m_folderLock.IsValid()) ::fsync(m_folderLock.Get());
  return true;
}

}  // namespace corvane::detail
