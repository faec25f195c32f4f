#include "StopSignal.h"

#include <sys/signalfd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

namespace printersim {

StopSignal::StopSignal(std::string& error) {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  // A background job of a shell starts with SIGINT ignored, and an ignored
  // signal never becomes pending; take the default back (blocked, it cannot
  // end the process).
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  if (sigprocmask(SIG_BLOCK, &set, nullptr) != 0) {
    error = std::string("cannot block signals: ") + std::strerror(errno);
    return;
  }
  fd_ = FileDescriptor(signalfd(-1, &set, SFD_CLOEXEC | SFD_NONBLOCK));
  if (!fd_.valid()) error = std::string("signalfd: ") + std::strerror(errno);
}

}  // namespace printersim
