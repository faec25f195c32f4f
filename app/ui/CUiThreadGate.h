#pragma once
// Carries calls from other threads over to the user-interface thread and
// waits for them, so that everything the workers do to the window happens
// on one thread, one call at a time, in the order the calls were made.
// Once closed it drops calls from other threads, which lets the window wait
// for a worker without the worker waiting for the window.
#include <QObject>

#include <functional>
#include <mutex>

class CUiThreadGate {
 public:
  // `context` lives on the user-interface thread and outlives the gate.
  explicit CUiThreadGate(QObject& context);
  CUiThreadGate(const CUiThreadGate&) = delete;
  CUiThreadGate& operator=(const CUiThreadGate&) = delete;

  // Runs the function on the user-interface thread and returns when it has
  // run: directly on that thread, through a queued call from any other.
  // False when the gate was closed and the function did not run.
  bool Run(const std::function<void()>& function);
  // Queues the function without waiting (dropped once closed).
  void Post(std::function<void()> function);
  // From now on calls from other threads are dropped; calls already queued
  // run before Close returns. User-interface thread only.
  void Close();
  bool IsClosed() const;

 private:
  // Posts the function to the receiver as an event of its own.
  void Queue(std::function<void()> function);

  QObject& m_Context;
  QObject* m_pReceiver;  // a child of m_Context
  mutable std::mutex m_Mutex;
  bool m_bClosed = false;
};
