#pragma once
// The event loop that delivers socket notifications of the message client and
// server on the thread that owns their sockets. corvane brings a poll-based
// loop (CCorvanePollLoop); toolkit programs use an adapter to their own loop
// (corvane_qt's CCorvaneQtEventLoop for Qt).
//
// Each thread has a current loop: a loop becomes current for the thread that
// constructs it, and the previous one is current again when it is destroyed
// (loops may be destroyed in any order).
// A thread that constructed none gets a CCorvanePollLoop of its own on first
// use (CCorvanePollLoop::ForCurrentThread).
#include <corvane/CCorvaneWatch.h>
#include <corvane/corvane_export.h>

#include <functional>
#include <memory>

class CORVANE_EXPORT CCorvaneEventLoop {
 public:
  using Callback = std::function<void()>;

  CCorvaneEventLoop();
  CCorvaneEventLoop(const CCorvaneEventLoop&) = delete;
  CCorvaneEventLoop& operator=(const CCorvaneEventLoop&) = delete;
  virtual ~CCorvaneEventLoop();

  // Calls callback on the loop's thread whenever fd is readable (data, end of
  // stream, error, or a connection waiting on a listening socket), until the
  // returned watch is destroyed. Returns null when the loop cannot watch fd.
  virtual std::unique_ptr<CCorvaneWatch> WatchReadable(int fd, Callback callback) = 0;
  // Calls callback on the loop's thread whenever fd can take more bytes (or
  // has failed), until the returned watch is destroyed; a descriptor may be
  // watched for both at once. Null when the loop cannot watch for this (the
  // default): writers then wait for room themselves.
  virtual std::unique_ptr<CCorvaneWatch> WatchWritable(int fd, Callback callback);

  // The calling thread's current loop.
  static CCorvaneEventLoop& Current();

 private:
  CCorvaneEventLoop* m_pPrevious = nullptr;
};
