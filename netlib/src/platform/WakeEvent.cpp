#include "platform/WakeEvent.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <cstdint>

namespace corvane::platform {

WakeEvent::WakeEvent() : m_handle(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}

void WakeEvent::Signal() {
  const std::uint64_t one = 1;
  // A full counter is still readable, so a failed write changes nothing.
  [[maybe_unused]] const ssize_t written = ::write(m_handle.Get(), &one, sizeof one);
}

}  // namespace corvane::platform
