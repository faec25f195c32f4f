#include "platform/PrinterMutex.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "codec/WireText.h"
#include "platform/MonotonicDeadline.h"

namespace corvane::detail {
namespace {

constexpr std::size_t kLongestEncodedName = 160;
constexpr char kHeldMark = '1';
constexpr char kFreeMark = '0';

bool IsWritableDirectory(const char* path) {
  struct stat info {};
  return path != nullptr && path[0] == '/' && ::stat(path, &info) == 0 && S_ISDIR(info.st_mode) &&
         ::access(path, W_OK | X_OK) == 0;
}

DWORD ErrorOf(int error) {
  switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
      return 5;  // access denied
    case ENOENT:
    case ENOTDIR:
      return 3;  // path not found
    case ENAMETOOLONG:
      return 206;
    case EMFILE:
    case ENFILE:
      return 4;  // too many open files
    default:
      return 31;  // device not functioning
  }
}

std::uint64_t Fnv1a(const std::string& text) {
  std::uint64_t hash = 14695981039346656037ull;
  for (unsigned char c : text) hash = (hash ^ c) * 1099511628211ull;
  return hash;
}

int OpenLockFile(const std::string& path, bool& bExisted, bool& bWritable) {
  constexpr int kFlags = O_NOFOLLOW | O_CLOEXEC;
  bExisted = false;
  bWritable = true;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_EXCL | kFlags, 0666);
  if (fd >= 0) {
    ::fchmod(fd, 0666);  // every account may use it, whatever the umask
    return fd;
  }
  if (errno != EEXIST) return -1;
  bExisted = true;
  fd = ::open(path.c_str(), O_RDWR | kFlags);
  if (fd >= 0 || errno != EACCES) return fd;
  // Another account's file that we may not write: locking needs only reading.
  bWritable = false;
  return ::open(path.c_str(), O_RDONLY | kFlags);
}

}  // namespace

std::string PrinterMutex::Directory() {
  if (const char* own = std::getenv("CORVANE_LOCK_DIR"); own != nullptr && own[0] == '/')
    return own;
  if (IsWritableDirectory("/run/lock")) return "/run/lock";
  if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); IsWritableDirectory(runtime))
    return runtime;
  return "/tmp";
}

std::string PrinterMutex::FileName(const std::wstring& strName) {
  std::string encoded;
  for (unsigned char c : ToUtf8(strName)) {
    const bool bPlain = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                        c == '.' || c == ';' || c == '_' || c == '-';
    if (bPlain) {
      encoded.push_back(static_cast<char>(c));
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", c);
      encoded += hex;
    }
  }
  // "." and ".." are not names of their own; long names keep a stable hash.
  if (encoded.size() > kLongestEncodedName || encoded.find_first_not_of('.') == std::string::npos) {
    char hash[24];
    std::snprintf(hash, sizeof hash, "#%016llx", static_cast<unsigned long long>(Fnv1a(encoded)));
    encoded = encoded.substr(0, 64) + hash;
  }
  return "corvane-" + encoded + ".lock";
}

std::unique_ptr<PrinterMutex> PrinterMutex::Open(const std::wstring& strName, bool& bExisted,
                                                 DWORD& dwError) {
  const std::string path = Directory() + "/" + FileName(strName);
  bool bWritable = false;
  platform::SocketHandle fd(OpenLockFile(path, bExisted, bWritable));
  if (!fd.IsValid()) {
    dwError = ErrorOf(errno);
    return nullptr;
  }
  dwError = 0;
  return std::unique_ptr<PrinterMutex>(new PrinterMutex(std::move(fd), path, bWritable));
}

PrinterMutex::PrinterMutex(platform::SocketHandle fd, std::string strPath, bool bWritable)
    : m_fd(std::move(fd)), m_strPath(std::move(strPath)), m_bWritable(bWritable) {}

PrinterMutex::~PrinterMutex() { Release(); }

bool PrinterMutex::TryLock() {
  while (::flock(m_fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

bool PrinterMutex::TakeOver() {
  if (!m_bWritable) return true;
  char mark = kFreeMark;
  const bool bAbandoned = ::pread(m_fd.Get(), &mark, 1, 0) == 1 && mark == kHeldMark;
  if (!bAbandoned) ::pwrite(m_fd.Get(), &kHeldMark, 1, 0);
  return !bAbandoned;
}

PrinterMutex::Wait PrinterMutex::Acquire(DWORD dwTimeoutMs, DWORD& dwError) {
  if (!m_fd.IsValid()) {
    dwError = 6;  // invalid handle
    return Wait::kFailed;
  }
  if (!TryLock()) {
    const Wait waited = WaitForClose(dwTimeoutMs, dwError);
    if (waited != Wait::kObtained) return waited;
  }
  m_bHeld = true;
  if (TakeOver()) return Wait::kObtained;
  // The last holder died holding it: given up again, not obtained.
  Release();
  dwError = kErrorAbandoned;
  return Wait::kAbandoned;
}

PrinterMutex::Wait PrinterMutex::WaitForClose(DWORD dwTimeoutMs, DWORD& dwError) {
  const auto deadline = platform::MonotonicDeadline::AfterMs(dwTimeoutMs);
  platform::SocketHandle watch(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK));
  const bool bWatching =
      watch.IsValid() && ::inotify_add_watch(watch.Get(), m_strPath.c_str(), IN_CLOSE) >= 0;
  // Every close of the file may be the holder's; the lock is tried again
  // after each one (and once the watch is in place, so none is missed).
  for (;;) {
    if (TryLock()) return Wait::kObtained;
    if (deadline.HasPassed()) break;
    pollfd ready{watch.Get(), POLLIN, 0};
    // Without a watch the wait can only end at the deadline.
    const int n = ::poll(bWatching ? &ready : nullptr, bWatching ? 1 : 0, deadline.RemainingPollMs());
    if (n > 0) {
      alignas(inotify_event) char events[4096];
      while (::read(watch.Get(), events, sizeof events) > 0) {
      }
    }
  }
  dwError = kErrorTimeout;
  return Wait::kTimedOut;
}

void PrinterMutex::Release() {
  if (!m_fd.IsValid()) return;
  if (m_bHeld && m_bWritable) ::pwrite(m_fd.Get(), &kFreeMark, 1, 0);
  m_bHeld = false;
  m_fd.Reset();
}

}  // namespace corvane::detail
