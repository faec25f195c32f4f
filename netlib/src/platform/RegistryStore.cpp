#include "platform/RegistryStore.h"

#include <corvane/DebugTrace.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/SocketHandle.h"
#include "registry/RegistryParser.h"

namespace corvane::detail {
namespace {

constexpr const char* kDefaultPath = "/etc/corvane/registry.reg";

void TraceProblem(const std::string& strPath, std::size_t uiLine, const std::string& strReason) {
  std::string text = "RegistryStore: cannot read " + strPath;
  if (uiLine > 0) text += " line " + std::to_string(uiLine);
  text += ": " + strReason + "\n";
  OutputDebugTrace(std::wstring(text.begin(), text.end()));
}

enum class FileRead { kRead, kAbsent, kFailed };

FileRead ReadWholeFile(const std::string& strPath, std::string& bytes, std::string& reason) {
  platform::SocketHandle fd(::open(strPath.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.IsValid()) {
    if (errno == ENOENT) return FileRead::kAbsent;
    reason = std::strerror(errno);
    return FileRead::kFailed;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    reason = "not a regular file";
    return FileRead::kFailed;
  }
  if (static_cast<std::size_t>(info.st_size) > RegistryParser::kMaxStoreBytes) {
    reason = "store too large";
    return FileRead::kFailed;
  }
  char chunk[8192];
  for (;;) {
    const ssize_t n = ::read(fd.Get(), chunk, sizeof chunk);
    if (n == 0) return FileRead::kRead;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      reason = std::strerror(errno);
      return FileRead::kFailed;
    }
    bytes.append(chunk, static_cast<std::size_t>(n));
    if (bytes.size() > RegistryParser::kMaxStoreBytes) {
      reason = "store too large";
      return FileRead::kFailed;
    }
  }
}

}  // namespace

std::string RegistryStore::SystemPath() {
  const char* path = std::getenv("CORVANE_REGISTRY");
  return path != nullptr && *path != '\0' ? path : kDefaultPath;
}

std::unique_ptr<RegistryStore> RegistryStore::System() {
  return std::make_unique<RegistryFileStore>(SystemPath());
}

bool RegistryFileStore::Load(RegistryDocument& document) const {
  std::string bytes;
  std::string reason;
  switch (ReadWholeFile(m_strPath, bytes, reason)) {
    case FileRead::kAbsent:
      document = RegistryDocument();
      return true;
    case FileRead::kFailed:
      TraceProblem(m_strPath, 0, reason);
      return false;
    case FileRead::kRead:
      break;
  }
  RegistryParser::Error error;
  auto parsed = RegistryParser::Parse(bytes, error);
  if (!parsed) {
    TraceProblem(m_strPath, error.uiLine, error.strReason);
    return false;
  }
  document = std::move(*parsed);
  return true;
}

RegistryLookup RegistryFileStore::FindValue(const std::wstring& strKeyPath,
                                            const std::wstring& strName,
                                            RegistryValue& value) const {
  RegistryDocument document;
  if (!Load(document)) return RegistryLookup::kUnreadable;
  if (document.FindKey(strKeyPath) == nullptr) return RegistryLookup::kNoKey;
  const RegistryValue* found = document.FindValue(strKeyPath, strName);
  if (found == nullptr) return RegistryLookup::kNoValue;
  value = *found;
  return RegistryLookup::kFound;
}

RegistryLookup RegistryFileStore::FindKey(const std::wstring& strKeyPath) const {
  RegistryDocument document;
  if (!Load(document)) return RegistryLookup::kUnreadable;
  return document.FindKey(strKeyPath) != nullptr ? RegistryLookup::kFound : RegistryLookup::kNoKey;
}

}  // namespace corvane::detail
