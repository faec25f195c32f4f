#include "CPrinterStatus.h"

#include <corvane/CZqSyncSocketCom.h>
#include <corvane/EthPrinterFunctions.h>

#include <cstdio>

namespace {
using Link = CZqSyncSocketCom;
}  // namespace

std::string CPrinterStatus::ResultText(DWORD dwResult) {
  switch (dwResult) {
    case Link::kOk: return "ok";
    case Link::kNoPrinter: return "no such queue in the print spooler";
    case Link::kNoAddress: return "no valid printer address in the queue's device URI";
    case Link::kNoPortNumber: return "no valid port number for the queue";
    case Link::kNoConnectionType: return "no valid protocol (EthPrt) in the registry store";
    case SOCKET_ERROR_INTERNAL: return "internal error";
    case Link::kNoBuffer: return "out of memory";
    case Link::kPrinterBusy: return "busy: another program is talking to the printer";
    case Link::kFrameOrSize: return "answer larger than expected";
    case Link::kSocketInit: return "socket could not be set up";
    case Link::kSocketCreate: return "socket could not be created (UDP port 15001 in use?)";
    case Link::kConnect: return "no connection to the printer";
    case Link::kSendFailed: return "request could not be sent";
    case Link::kReceiveFailed: return "no answer";
    case ANSW_UNKNOW: return "answer not understood";
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
