#pragma once
// Finds one printer with lumora's discovery before it is installed: by its
// address (asked by unicast, no broadcast) or by its MAC address (the
// discovery of the INI file's settings, as discover runs it).
#include "CDiscoverySettings.h"
#include "_DeviceInfo.h"

#include <optional>
#include <string>

class CLogFileManager;

class PrinterFinder {
 public:
  struct Outcome {
    std::optional<_DeviceInfo> device;
    bool bStarted = true;      // false: the discovery could not start
    bool bInterrupted = false;  // ended by Ctrl-C
  };

  // strAddress or strMac (12 hex digits, separators allowed) names the
  // printer; the other is empty.
  static Outcome Find(CDiscoverySettings settings, CLogFileManager& logFile,
                      const std::string& strAddress, const std::string& strMac);
};
