#include <corvane/CCorvaneEventLoop.h>
#include <corvane/CCorvanePollLoop.h>

namespace {

thread_local CCorvaneEventLoop* t_pCurrent = nullptr;

}  // namespace

CCorvaneWatch::~CCorvaneWatch() = default;

CCorvaneEventLoop::CCorvaneEventLoop() : m_pPrevious(t_pCurrent) { t_pCurrent = this; }

CCorvaneEventLoop::~CCorvaneEventLoop() {
  // Taken out of the thread's chain wherever it stands: loops may end in any
  // order, and none may stay reachable once gone.
  for (CCorvaneEventLoop** pp = &t_pCurrent; *pp != nullptr; pp = &(*pp)->m_pPrevious) {
    if (*pp == this) {
      *pp = m_pPrevious;
      return;
    }
  }
}

std::unique_ptr<CCorvaneWatch> CCorvaneEventLoop::WatchWritable(int, Callback) { return nullptr; }

CCorvaneEventLoop& CCorvaneEventLoop::Current() {
  if (t_pCurrent != nullptr) return *t_pCurrent;
  return CCorvanePollLoop::ForCurrentThread();
}

CCorvanePollLoop& CCorvanePollLoop::ForCurrentThread() {
  if (auto* pLoop = dynamic_cast<CCorvanePollLoop*>(t_pCurrent)) return *pLoop;
  // Constructing the thread's own loop makes it current when none is; when a
  // loop of another kind is current it must stay so.
  static thread_local std::unique_ptr<CCorvanePollLoop> t_pOwn;
  if (!t_pOwn) {
    CCorvaneEventLoop* pKeep = t_pCurrent;
    t_pOwn = std::make_unique<CCorvanePollLoop>();
    if (pKeep != nullptr) t_pCurrent = pKeep;
  }
  return *t_pOwn;
}
