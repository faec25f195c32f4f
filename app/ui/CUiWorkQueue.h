#pragma once
// Work that other threads hand to the window's thread without waiting for
// it: filed answers, console lines. It waits in one queue, in the order it
// was given, and the window's thread takes it in batches of a few
// milliseconds each, so that a burst of thousands of items never holds the
// window up for long. A caller that must see all earlier work done (a read
// of the table, the end of a run) flushes the queue first.
#include <deque>
#include <functional>
#include <mutex>

class CUiThreadGate;

class CUiWorkQueue {
 public:
  explicit CUiWorkQueue(CUiThreadGate& gate);

  // Any thread. Dropped once the gate is closed and no batch is queued.
  void Post(std::function<void()> work);
  // Window's thread: runs everything that waits, now.
  void Flush();

 private:
  void TakeBatch();
  bool RunNext(std::unique_lock<std::mutex>& lock);

  CUiThreadGate& m_Gate;
  std::mutex m_Mutex;
  std::deque<std::function<void()>> m_Work;
  bool m_bBatchQueued = false;
};
