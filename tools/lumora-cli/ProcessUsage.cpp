#include "ProcessUsage.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>

std::size_t ProcessUsage::OpenDescriptors() {
  std::error_code ec;
  std::size_t count = 0;
  for (std::filesystem::directory_iterator it("/proc/self/fd", ec), end; !ec && it != end;
       it.increment(ec))
    ++count;
  return count > 0 ? count - 1 : 0;  // the directory being listed
}

std::size_t ProcessUsage::ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  std::size_t pages = 0, resident = 0;
  if (!(statm >> pages >> resident)) return 0;
  const long pageSize = ::sysconf(_SC_PAGESIZE);
  return pageSize > 0 ? resident * static_cast<std::size_t>(pageSize) / 1024 : 0;
}
