#pragma once
// One SET command as the change journal keeps it: when and through which
// interface it went, which printer it named, the settings before (when the
// printer was in the list) and after, how the printer answered and what
// looking for it afterwards found.
#include "CPrinterSettings.h"

#include <optional>
#include <string>

struct CChangeEntry {
  std::string strTime;           // local time, "2025-03-01T14:05:09+01:00"
  std::wstring strSource;        // the program that sent it: "lumora" or "lumora-cli"
  std::wstring strInterface;     // e.g. "eth0"; empty when not known
  std::wstring strLocalAddress;  // the address the command left from
  std::wstring strMac;
  std::optional<CPrinterSettings> oldSettings;
  CPrinterSettings newSettings;
  std::wstring strOutcome;       // "confirmed", "refused", "no answer" or "trouble"
  std::wstring strVerification;  // "verified", "not at new address", "no answer", "not run"
  std::wstring strVerificationText;  // the sentence the operator was shown

  bool operator==(const CChangeEntry&) const = default;
};
