#include "CUiThreadGate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

#include <future>
#include <memory>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace {

// Qt hands a posted event from thread to thread with its own atomics and
// futexes, which ThreadSanitizer cannot see as Qt is not built with it. The
// handover of each call is told to it here, so that it checks our code
// against the order Qt really gives. Nothing in other builds.
void HandOver(void* pEvent) {
#if defined(__SANITIZE_THREAD__)
  __tsan_release(pEvent);
#else
  (void)pEvent;
#endif
}
void TakeOver(void* pEvent) {
#if defined(__SANITIZE_THREAD__)
  __tsan_acquire(pEvent);
#else
  (void)pEvent;
#endif
}

const QEvent::Type kCallEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// One queued call. Qt deletes a posted event on the receiver's thread, once
// delivered or discarded, so the call and all it holds end on the
// user-interface thread whatever thread posted it.
class CallEvent final : public QEvent {
 public:
  explicit CallEvent(std::function<void()> function)
      : QEvent(kCallEvent), m_Function(std::move(function)) {}
  ~CallEvent() override { TakeOver(this); }
  void Run() { m_Function(); }

 private:
  std::function<void()> m_Function;
};

// Runs the calls posted to it; a child of the gate's context.
class CallReceiver final : public QObject {
 public:
  using QObject::QObject;
  bool event(QEvent* pEvent) override {
    TakeOver(pEvent);  // before the first read of it
    if (pEvent->type() != kCallEvent) return QObject::event(pEvent);
    static_cast<CallEvent*>(pEvent)->Run();
    return true;
  }
};

// A call waiting for the user-interface thread. Destroyed without having
// run (its queued event discarded), it still releases the caller.
class PendingCall {
 public:
  explicit PendingCall(const std::function<void()>& function) : m_Function(function) {}
  ~PendingCall() {
    if (!m_bDone) m_Done.set_value(false);
  }
  void Run() {
    m_Function();
    m_bDone = true;
    m_Done.set_value(true);
  }
  std::future<bool> Result() { return m_Done.get_future(); }

 private:
  const std::function<void()>& m_Function;
  std::promise<bool> m_Done;
  bool m_bDone = false;
};
}  // namespace

CUiThreadGate::CUiThreadGate(QObject& context)
    : m_Context(context), m_pReceiver(new CallReceiver(&context)) {}

void CUiThreadGate::Queue(std::function<void()> function) {
  auto pEvent = std::make_unique<CallEvent>(std::move(function));
  HandOver(pEvent.get());
  QCoreApplication::postEvent(m_pReceiver, pEvent.release());
}

bool CUiThreadGate::Run(const std::function<void()>& function) {
  if (QThread::currentThread() == m_Context.thread()) {
    function();
    return true;
  }
  auto pCall = std::make_shared<PendingCall>(function);
  std::future<bool> result = pCall->Result();
  {
    std::lock_guard lock(m_Mutex);
    if (m_bClosed) return false;
    Queue([pCall] { pCall->Run(); });
  }
  pCall.reset();  // the queued event holds the last reference
  return result.get();
}

void CUiThreadGate::Post(std::function<void()> function) {
  std::lock_guard lock(m_Mutex);
  if (m_bClosed) return;
  Queue(std::move(function));
}

void CUiThreadGate::Close() {
  {
    std::lock_guard lock(m_Mutex);
    m_bClosed = true;
  }
  QCoreApplication::sendPostedEvents(m_pReceiver, kCallEvent);
}

bool CUiThreadGate::IsClosed() const {
  std::lock_guard lock(m_Mutex);
  return m_bClosed;
}
