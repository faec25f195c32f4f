// corvane's poll()-based event loop.
#include <corvane/CCorvanePollLoop.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <map>
#include <vector>

#include "platform/TcpStreamFd.h"

namespace {

struct WatchEntry {
  int fd = -1;
  CCorvaneEventLoop::Callback callback;
  bool bActive = true;
};

}  // namespace

struct CCorvanePollLoop::State {
  std::map<std::uint64_t, std::shared_ptr<WatchEntry>> watches;
  std::uint64_t nextId = 1;
  bool bDirty = true;
  // Rebuilt when the watches change; slot 0 is the wake-up descriptor.
  std::vector<pollfd> fds;
  std::vector<std::shared_ptr<WatchEntry>> entries;
  corvane::platform::TcpStreamFd wake;
  std::atomic<bool> bQuit{false};
  int iDepth = 0;  // rounds in progress: callbacks may run the loop again

  void Snapshot(std::vector<pollfd>& outFds, std::vector<std::shared_ptr<WatchEntry>>& outEntries) const {
    outFds.assign(1, pollfd{wake.Get(), POLLIN, 0});
    outEntries.assign(1, nullptr);
    for (const auto& [id, entry] : watches) {
      outFds.push_back(pollfd{entry->fd, POLLIN, 0});
      outEntries.push_back(entry);
    }
  }
};

namespace {

class PollWatch : public CCorvaneWatch {
 public:
  PollWatch(std::weak_ptr<CCorvanePollLoop::State> state, std::uint64_t id)
      : m_state(std::move(state)), m_id(id) {}
  ~PollWatch() override;

 private:
  std::weak_ptr<CCorvanePollLoop::State> m_state;
  std::uint64_t m_id;
};

}  // namespace

PollWatch::~PollWatch() {
  auto state = m_state.lock();
  if (!state) return;
  auto it = state->watches.find(m_id);
  if (it == state->watches.end()) return;
  it->second->bActive = false;  // a round in progress must not call it
  state->watches.erase(it);
  state->bDirty = true;
}

void corvane::platform::TcpStreamFd::Reset(int fd) {
  if (m_fd >= 0) ::close(m_fd);
  m_fd = fd;
}

CCorvanePollLoop::CCorvanePollLoop() : m_pState(std::make_shared<State>()) {
  m_pState->wake.Reset(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
}

CCorvanePollLoop::~CCorvanePollLoop() = default;

std::unique_ptr<CCorvaneWatch> CCorvanePollLoop::WatchReadable(int fd, Callback callback) {
  if (fd < 0 || !callback) return nullptr;
  std::uint64_t id = m_pState->nextId++;
  auto entry = std::make_shared<WatchEntry>();
  entry->fd = fd;
  entry->callback = std::move(callback);
  m_pState->watches.emplace(id, std::move(entry));
  m_pState->bDirty = true;
  return std::make_unique<PollWatch>(m_pState, id);
}

int CCorvanePollLoop::RunOnce(int iTimeoutMs) {
  std::shared_ptr<State> state = m_pState;  // callbacks may destroy the loop
  // The outermost round works on the shared arrays, which only it rebuilds;
  // a round run from inside a callback works on copies.
  bool bNested = state->iDepth > 0;
  if (state->bDirty && !bNested) {
    state->Snapshot(state->fds, state->entries);
    state->bDirty = false;
  }
  std::vector<pollfd> copiedFds;
  std::vector<std::shared_ptr<WatchEntry>> copiedEntries;
  if (bNested) state->Snapshot(copiedFds, copiedEntries);
  std::vector<pollfd>& fds = bNested ? copiedFds : state->fds;
  std::vector<std::shared_ptr<WatchEntry>>& entries = bNested ? copiedEntries : state->entries;
  int n = ::poll(fds.data(), fds.size(), iTimeoutMs < 0 ? -1 : iTimeoutMs);
  if (n < 0) return errno == EINTR ? 0 : -1;
  if (fds[0].revents != 0) {
    std::uint64_t count = 0;
    [[maybe_unused]] auto r = ::read(state->wake.Get(), &count, sizeof count);
  }
  ++state->iDepth;
  int calls = 0;
  for (std::size_t i = 1; i < fds.size() && n > 0; ++i) {
    if (fds[i].revents == 0) continue;
    --n;
    std::shared_ptr<WatchEntry> entry = entries[i];  // kept alive through its call
    if (!entry->bActive) continue;
    entry->callback();
    ++calls;
  }
  --state->iDepth;
  return calls;
}

bool CCorvanePollLoop::TakeQuit() { return m_pState->bQuit.exchange(false); }

void CCorvanePollLoop::Run() {
  while (!TakeQuit()) {
    if (RunOnce(-1) < 0) return;
  }
}

BOOL CCorvanePollLoop::RunFor(DWORD dwMilliseconds) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(dwMilliseconds);
  for (;;) {
    if (TakeQuit()) return 1;
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return 0;
    if (RunOnce(static_cast<int>(left.count()) + 1) < 0) return 0;
  }
}

void CCorvanePollLoop::Quit() {
  m_pState->bQuit = true;
  std::uint64_t one = 1;
  [[maybe_unused]] auto r = ::write(m_pState->wake.Get(), &one, sizeof one);
}
