#include "SignalWatcher.h"

#include <cstdlib>

#include <pthread.h>
#include <signal.h>

namespace {
// SIGUSR1 only wakes the watcher when it is to end.
sigset_t WatchedSignals() {
  sigset_t set;
  sigemptyset(&set);
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGUSR1}) sigaddset(&set, sig);
  return set;
}
}  // namespace

SignalWatcher::SignalWatcher(std::function<void()> onSignal) : m_OnSignal(std::move(onSignal)) {
  const sigset_t set = WatchedSignals();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
  m_Thread = std::thread([this] { Watch(); });
}

SignalWatcher::~SignalWatcher() {
  m_bQuit.store(true);
  pthread_kill(m_Thread.native_handle(), SIGUSR1);
  m_Thread.join();
}

void SignalWatcher::Watch() {
  const sigset_t set = WatchedSignals();
  for (;;) {
    int sig = 0;
    if (sigwait(&set, &sig) != 0) continue;
    if (m_bQuit.load()) return;
    if (sig == SIGUSR1) continue;
    // A second signal does not wait for the run to notice the first.
    if (m_bFired.exchange(true)) std::_Exit(128 + sig);
    if (m_OnSignal) m_OnSignal();
  }
}
