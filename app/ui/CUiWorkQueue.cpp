#include "CUiWorkQueue.h"

#include "CUiThreadGate.h"

#include <QElapsedTimer>

namespace {
// How long one batch may keep the window's thread.
constexpr qint64 kBatchNanoseconds = 8'000'000;
}  // namespace

CUiWorkQueue::CUiWorkQueue(CUiThreadGate& gate) : m_Gate(gate) {}

void CUiWorkQueue::Post(std::function<void()> work) {
  std::lock_guard lock(m_Mutex);
  m_Work.push_back(std::move(work));
  if (m_bBatchQueued) return;
  m_bBatchQueued = true;
  m_Gate.Post([this] { TakeBatch(); });
}

// Runs the first item with the lock released; false when there was none.
bool CUiWorkQueue::RunNext(std::unique_lock<std::mutex>& lock) {
  if (m_Work.empty()) return false;
  const std::function<void()> work = std::move(m_Work.front());
  m_Work.pop_front();
  lock.unlock();
  work();
  lock.lock();
  return true;
}

// Items until the time of a batch is up; the rest in a later batch, queued
// behind whatever else waits for the window meanwhile (paints, input).
void CUiWorkQueue::TakeBatch() {
  QElapsedTimer timer;
  timer.start();
  std::unique_lock lock(m_Mutex);
  while (timer.nsecsElapsed() < kBatchNanoseconds) {
    if (!RunNext(lock)) {
      m_bBatchQueued = false;
      return;
    }
  }
  if (m_Work.empty()) {
    m_bBatchQueued = false;
    return;
  }
  m_Gate.Post([this] { TakeBatch(); });
}

void CUiWorkQueue::Flush() {
  std::unique_lock lock(m_Mutex);
  while (RunNext(lock)) {
  }
}
