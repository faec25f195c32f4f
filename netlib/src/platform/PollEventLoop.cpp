// corvane's own event loop on the platform's poll facility (epoll: the
// descriptors are registered once, not handed over on every wait).
#include <corvane/CCorvanePollLoop.h>
#include <sys/epoll.h>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdint>
#include <unordered_map>

#include "platform/SocketHandle.h"

namespace {

struct WatchEntry {
  int fd = -1;
  // epoll takes a descriptor once; a second watch of the same one (writable
  // beside readable) registers a duplicate of it, owned here.
  corvane::platform::SocketHandle duplicate;
  CCorvaneEventLoop::Callback callback;
};

constexpr std::uint64_t kWakeId = 0;
constexpr int kEventsPerRound = 64;

}  // namespace

struct CCorvanePollLoop::State {
  std::unordered_map<std::uint64_t, std::shared_ptr<WatchEntry>> watches;
  std::uint64_t nextId = kWakeId + 1;
  corvane::platform::SocketHandle poller;
  corvane::platform::SocketHandle wake;
  std::atomic<bool> bQuit{false};

  bool Add(int fd, std::uint64_t id, std::uint32_t events = EPOLLIN) {
    epoll_event ev{};
    ev.events = events;
    ev.data.u64 = id;
    return ::epoll_ctl(poller.Get(), EPOLL_CTL_ADD, fd, &ev) == 0;
  }
};

namespace {

class PollWatch : public CCorvaneWatch {
 public:
  PollWatch(std::weak_ptr<CCorvanePollLoop::State> state, std::uint64_t id)
      : m_state(std::move(state)), m_id(id) {}
  ~PollWatch() override {
    auto state = m_state.lock();
    if (!state) return;
    auto it = state->watches.find(m_id);
    if (it == state->watches.end()) return;
    ::epoll_ctl(state->poller.Get(), EPOLL_CTL_DEL, it->second->fd, nullptr);
    state->watches.erase(it);  // an event of this round already taken finds nothing
  }

 private:
  std::weak_ptr<CCorvanePollLoop::State> m_state;
  std::uint64_t m_id;
};

}  // namespace

CCorvanePollLoop::CCorvanePollLoop() : m_pState(std::make_shared<State>()) {
  m_pState->poller.Reset(::epoll_create1(EPOLL_CLOEXEC));
  m_pState->wake.Reset(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC));
  m_pState->Add(m_pState->wake.Get(), kWakeId);
}

CCorvanePollLoop::~CCorvanePollLoop() = default;

std::unique_ptr<CCorvaneWatch> CCorvanePollLoop::WatchReadable(int fd, Callback callback) {
  return Watch(fd, EPOLLIN, std::move(callback));
}

std::unique_ptr<CCorvaneWatch> CCorvanePollLoop::WatchWritable(int fd, Callback callback) {
  return Watch(fd, EPOLLOUT, std::move(callback));
}

std::unique_ptr<CCorvaneWatch> CCorvanePollLoop::Watch(int fd, std::uint32_t events,
                                                       Callback callback) {
  if (fd < 0 || !callback) return nullptr;
  std::uint64_t id = m_pState->nextId++;
  auto entry = std::make_shared<WatchEntry>();
  if (!m_pState->Add(fd, id, events)) {
    if (errno != EEXIST) return nullptr;
    entry->duplicate.Reset(::fcntl(fd, F_DUPFD_CLOEXEC, 0));
    if (!entry->duplicate.IsValid() || !m_pState->Add(entry->duplicate.Get(), id, events)) return nullptr;
    fd = entry->duplicate.Get();
  }
  entry->fd = fd;
  entry->callback = std::move(callback);
  m_pState->watches.emplace(id, std::move(entry));
  return std::make_unique<PollWatch>(m_pState, id);
}

int CCorvanePollLoop::RunOnce(int iTimeoutMs) {
  std::shared_ptr<State> state = m_pState;  // callbacks may destroy the loop
  epoll_event events[kEventsPerRound];
  int n = ::epoll_wait(state->poller.Get(), events, kEventsPerRound, iTimeoutMs < 0 ? -1 : iTimeoutMs);
  if (n < 0) return errno == EINTR ? 0 : -1;
  int calls = 0;
  for (int i = 0; i < n; ++i) {
    if (events[i].data.u64 == kWakeId) {
      std::uint64_t count = 0;
      [[maybe_unused]] auto r = ::read(state->wake.Get(), &count, sizeof count);
      continue;
    }
    // Looked up afresh: an earlier callback of this round may have removed it.
    auto it = state->watches.find(events[i].data.u64);
    if (it == state->watches.end()) continue;
    std::shared_ptr<WatchEntry> entry = it->second;  // kept alive through its call
    entry->callback();
    ++calls;
  }
  return calls;
}

bool CCorvanePollLoop::TakeQuit() { return m_pState->bQuit.exchange(false); }

void CCorvanePollLoop::Run() {
  while (!TakeQuit()) {
    if (RunOnce(-1) < 0) return;
  }
}

BOOL CCorvanePollLoop::RunFor(DWORD dwMilliseconds) {
  return RunUntil([this] { return TakeQuit(); }, dwMilliseconds) ? 1 : 0;
}

int CCorvanePollLoop::WaitMsUntil(std::chrono::steady_clock::time_point deadline) {
  const auto left = deadline - std::chrono::steady_clock::now();
  if (left <= std::chrono::steady_clock::duration::zero()) return 0;
  // A time-out of 49 days does not fit a wait's int: cap it, do not wrap it.
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(left).count();
  return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

void CCorvanePollLoop::Quit() {
  m_pState->bQuit = true;
  std::uint64_t one = 1;
  [[maybe_unused]] auto r = ::write(m_pState->wake.Get(), &one, sizeof one);
}
