#pragma once
// A descriptor watched by an event loop. Destroying the watch stops it; a
// callback may destroy its own watch.
#include <corvane/corvane_export.h>

class CORVANE_EXPORT CCorvaneWatch {
 public:
  CCorvaneWatch() = default;
  CCorvaneWatch(const CCorvaneWatch&) = delete;
  CCorvaneWatch& operator=(const CCorvaneWatch&) = delete;
  virtual ~CCorvaneWatch();
};
