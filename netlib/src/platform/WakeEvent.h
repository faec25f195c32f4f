#pragma once
// An event one thread signals to end another thread's readiness wait at once
// (an eventfd, opened close-on-exec).
#include "platform/SocketHandle.h"

namespace corvane::platform {

class WakeEvent {
 public:
  // Opens the event; IsValid() tells whether that worked.
  WakeEvent();
  bool IsValid() const { return m_handle.IsValid(); }
  int Get() const { return m_handle.Get(); }
  // Makes the event readable; it stays so (every later wait sees it).
  void Signal();

 private:
  SocketHandle m_handle;
};

}  // namespace corvane::platform
