#include "CUiThreadGate.h"

#include <QCoreApplication>
#include <QEvent>
#include <QThread>

#include <future>
#include <memory>

namespace {
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

CUiThreadGate::CUiThreadGate(QObject& context) : m_Context(context) {}

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
    QMetaObject::invokeMethod(&m_Context, [pCall] { pCall->Run(); }, Qt::QueuedConnection);
  }
  pCall.reset();  // the queued event holds the last reference
  return result.get();
}

void CUiThreadGate::Post(std::function<void()> function) {
  std::lock_guard lock(m_Mutex);
  if (m_bClosed) return;
  QMetaObject::invokeMethod(&m_Context, std::move(function), Qt::QueuedConnection);
}

void CUiThreadGate::Close() {
  {
    std::lock_guard lock(m_Mutex);
    m_bClosed = true;
  }
  QCoreApplication::sendPostedEvents(&m_Context, QEvent::MetaCall);
}

bool CUiThreadGate::IsClosed() const {
  std::lock_guard lock(m_Mutex);
  return m_bClosed;
}
