#include "CBackgroundJob.h"

#include <QMetaObject>

CBackgroundJob::~CBackgroundJob() {
  if (m_Thread.joinable()) m_Thread.join();
}

bool CBackgroundJob::Start(QObject* pContext, std::function<void()> work,
                           std::function<void()> done) {
  if (m_bRunning.exchange(true)) return false;
  if (m_Thread.joinable()) m_Thread.join();
  QPointer<QObject> context(pContext);
  m_Thread = std::thread([this, context, work = std::move(work), done = std::move(done)] {
    work();
    // Queued to the context's thread; dropped when the context is gone.
    if (context.isNull()) return;
    QMetaObject::invokeMethod(
        context.data(),
        [this, done] {
          m_bRunning = false;
          done();
        },
        Qt::QueuedConnection);
  });
  return true;
}
