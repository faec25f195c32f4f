#pragma once
// The common flow of the printer functions: start trace, exchange object,
// protocol, address and port, the retrying exchange, then the function's
// own decoding of the answer.
#include <corvane/CZqSyncSocketCom.h>

#include <functional>
#include <span>
#include <string>

namespace corvane::detail {

struct PrinterCall {
  const wchar_t* pName;        // the function's name, for its error traces
  const wchar_t* pStartTrace;  // the line traced first
  std::span<const BYTE> request;
  BYTE* pAnswer;
  int iExpectedLength;  // below 0: unknown, at most 16 bytes
};

// Runs the call; on a successful exchange the result is decode's. pdwError
// and pdwAnswerLength may be null.
DWORD RunPrinterCall(const std::wstring& strPrinterName, const PrinterCall& call,
                     DWORD* pdwAnswerLength, DWORD* pdwError,
                     const std::function<DWORD(CZqSyncSocketCom&, DWORD dwAnswerLength)>& decode);

// The trace before an ANSW_UNKNOW result: "<name>(...): Error in <name>: ...".
DWORD UnknownAnswer(const wchar_t* pName);

}  // namespace corvane::detail
