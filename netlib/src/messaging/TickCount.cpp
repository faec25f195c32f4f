#include "messaging/TickCount.h"

#include <atomic>
#include <chrono>
#include <mutex>

namespace corvane::detail {
namespace {

std::mutex g_mutex;
std::function<DWORD()> g_source;
std::atomic<bool> g_bReplaced{false};  // spares the lock on the common path

}  // namespace

DWORD TickCount() {
  if (g_bReplaced.load(std::memory_order_acquire)) {
    std::lock_guard lock(g_mutex);
    if (g_source) return g_source();
  }
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
      std::chrono::steady_clock::now().time_since_epoch());
  return static_cast<DWORD>(ms.count());
}

void SetTickCountSource(std::function<DWORD()> source) {
  std::lock_guard lock(g_mutex);
  g_source = std::move(source);
  g_bReplaced = static_cast<bool>(g_source);
}

}  // namespace corvane::detail
