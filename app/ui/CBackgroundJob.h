#pragma once
// One piece of work on a thread of its own, its end reported on the thread
// of a Qt object (the window's): a dialog starts the work and goes on
// painting and taking input; `done` runs once the work is over, unless the
// object is gone by then. The destructor waits for the work (a dialog lets
// its work end by itself before it goes, or asks it to stop).
#include <QObject>
#include <QPointer>

#include <atomic>
#include <functional>
#include <thread>

class CBackgroundJob {
 public:
  CBackgroundJob() = default;
  ~CBackgroundJob();
  CBackgroundJob(const CBackgroundJob&) = delete;
  CBackgroundJob& operator=(const CBackgroundJob&) = delete;

  bool Running() const { return m_bRunning.load(); }
  // False (nothing started) while earlier work still runs.
  bool Start(QObject* pContext, std::function<void()> work, std::function<void()> done);

 private:
  std::thread m_Thread;
  std::atomic<bool> m_bRunning{false};
};
