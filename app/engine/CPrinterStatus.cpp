#include "CPrinterStatus.h"

#include <cstdio>

std::string CPrinterStatus::ResultText(DWORD dwResult) {
  switch (dwResult) {
    case 0: return "ok";
    case 1: return "no such queue in the print spooler";
    case 2: return "no valid printer address in the queue's device URI";
    case 3: return "no valid port number for the queue";
    case 4: return "no valid protocol (EthPrt) in the registry store";
    case 6: return "internal error";
    case 10: return "out of memory";
    case 16: return "busy: another program is talking to the printer";
    case 20: return "answer larger than expected";
    case 32: return "socket could not be set up";
    case 33: return "socket could not be created (UDP port 15001 in use?)";
    case 34: return "no connection to the printer";
    case 48: return "request could not be sent";
    case 64: return "no answer";
    case 0x1000: return "answer not understood";
    default: return "error";
  }
}

std::string CPrinterStatus::Summary() const {
  switch (state) {
    case State::kComplete: return "every value read";
    case State::kBusy: return "the printer is busy: another program is talking to it; try again later";
    case State::kNoContact: return "no contact with the printer: " + strProblem;
    default: return strProblem;
  }
}

std::string CPrinterStatus::Value::Text() const {
  if (!Ok()) return {};
  char text[32];
  switch (kind) {
    case Kind::kNumber:
      return std::to_string(dwNumber);
    case Kind::kFlag:
      return dwNumber != 0 ? "enabled" : "disabled";
    case Kind::kVolts:
      std::snprintf(text, sizeof text, "%.1f", static_cast<double>(fVolts));
      return text;
    case Kind::kBytes:
      break;
  }
  std::string hex;
  for (const BYTE b : bytes) {
    std::snprintf(text, sizeof text, "%s%02X", hex.empty() ? "" : " ", b);
    hex += text;
  }
  return hex;
}

std::string CPrinterStatus::Value::Printable() const {
  if (!Ok() || kind != Kind::kBytes || bytes.empty()) return {};
  std::string text;
  for (const BYTE b : bytes) {
    if (b < 0x20 || b > 0x7E) return {};
    text += static_cast<char>(b);
  }
  return text;
}

std::string CPrinterStatus::Value::Display() const {
  if (!bAsked) return "not asked";
  if (dwResult != 0) return "failed: " + ResultText(dwResult) + " (" + std::to_string(dwResult) + ")";
  std::string text = Text();
  if (*pszUnit != '\0') text += std::string(" ") + pszUnit;
  if (const std::string printable = Printable(); !printable.empty()) text += "  \"" + printable + "\"";
  return text;
}
