#include "NamespaceGuard.h"

#include <sys/stat.h>

#include <filesystem>

namespace printersim {

namespace {

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool IsNamedNamespace(const struct stat& self) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/run/netns", error)) {
    struct stat named {};
    if (stat(entry.path().c_str(), &named) == 0 && SameFile(self, named)) return true;
  }
  return false;
}

}  // namespace

bool NamespaceGuard::InSeparateNetworkNamespace() {
  struct stat self {}, init {};
  if (stat("/proc/self/ns/net", &self) != 0) return false;
  if (stat("/proc/1/ns/net", &init) == 0) return !SameFile(self, init);
  return IsNamedNamespace(self);
}

}  // namespace printersim
