#pragma once
// Delivers the message client's and server's socket notifications through the
// Qt event loop of the thread that constructs it (QSocketNotifier). Construct
// one on a thread that runs a Qt event loop, before opening clients or
// starting servers there; it is that thread's current loop while it exists.
#include <corvane/CCorvaneEventLoop.h>

class CCorvaneQtEventLoop : public CCorvaneEventLoop {
 public:
  CCorvaneQtEventLoop() = default;
  ~CCorvaneQtEventLoop() override;

  std::unique_ptr<CCorvaneWatch> WatchReadable(int fd, Callback callback) override;
  std::unique_ptr<CCorvaneWatch> WatchWritable(int fd, Callback callback) override;
};
