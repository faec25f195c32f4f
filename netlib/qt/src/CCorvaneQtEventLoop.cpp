#include <corvane/CCorvaneQtEventLoop.h>

#include <QObject>
#include <QSocketNotifier>

namespace {

class QtWatch : public CCorvaneWatch {
 public:
  QtWatch(int fd, QSocketNotifier::Type type, CCorvaneEventLoop::Callback callback)
      : m_pNotifier(std::make_unique<QSocketNotifier>(fd, type)),
        m_pInCallback(std::make_shared<bool>(false)) {
    QObject::connect(m_pNotifier.get(), &QSocketNotifier::activated,
                     [flag = m_pInCallback, callback = std::move(callback)] {
                       *flag = true;
                       callback();
                       *flag = false;
                     });
  }

  ~QtWatch() override {
    m_pNotifier->setEnabled(false);
    // A notifier must not go while it is delivering its own signal: let the
    // event loop remove it afterwards.
    if (*m_pInCallback) m_pNotifier.release()->deleteLater();
  }

 private:
  std::unique_ptr<QSocketNotifier> m_pNotifier;
  std::shared_ptr<bool> m_pInCallback;
};

}  // namespace

CCorvaneQtEventLoop::~CCorvaneQtEventLoop() = default;

std::unique_ptr<CCorvaneWatch> CCorvaneQtEventLoop::WatchReadable(int fd, Callback callback) {
  if (fd < 0 || !callback) return nullptr;
  return std::make_unique<QtWatch>(fd, QSocketNotifier::Read, std::move(callback));
}

std::unique_ptr<CCorvaneWatch> CCorvaneQtEventLoop::WatchWritable(int fd, Callback callback) {
  if (fd < 0 || !callback) return nullptr;
  return std::make_unique<QtWatch>(fd, QSocketNotifier::Write, std::move(callback));
}
