#include "printer/PrinterCall.h"

#include <corvane/EthPrinterFunctions.h>

#include <memory>
#include <new>

#include "printer/PrinterTrace.h"

namespace corvane::detail {

DWORD RunPrinterCall(const std::wstring& strPrinterName, const PrinterCall& call,
                     DWORD* pdwAnswerLength, DWORD* pdwError,
                     const std::function<DWORD(CZqSyncSocketCom&, DWORD)>& decode) {
  DWORD dwLocalError = 0;
  DWORD dwAnswerLength = 0;
  if (pdwError == nullptr) pdwError = &dwLocalError;
  *pdwError = 0;
  if (pdwAnswerLength != nullptr) *pdwAnswerLength = 0;
  DebugTrace(L"%ls", call.pStartTrace);
  std::unique_ptr<CZqSyncSocketCom> pCom;
  try {
    pCom = std::make_unique<CZqSyncSocketCom>();
  } catch (const std::bad_alloc&) {
    DebugTrace(L"%ls(...): Error on creating CZqSyncSocketCom object. Return SOCKET_ERROR_INTERNAL\n",
               call.pName);
    return SOCKET_ERROR_INTERNAL;
  }
  DWORD dwResult = pCom->SetSocketConnectionType(strPrinterName, pdwError);
  if (dwResult == 0) dwResult = pCom->SetIPAddress(strPrinterName, pdwError);
  if (dwResult == 0) {
    dwResult = pCom->RetrySyncSendReceiveCom(call.request.data(),
                                             static_cast<DWORD>(call.request.size()), call.pAnswer,
                                             call.iExpectedLength, &dwAnswerLength, pdwError);
  }
  if (pdwAnswerLength != nullptr) *pdwAnswerLength = dwAnswerLength;
  if (dwResult != 0) return dwResult;
  return decode(*pCom, dwAnswerLength);
}

DWORD UnknownAnswer(const wchar_t* pName) {
  DebugTrace(L"%ls(...): Error in %ls: will return ANSW_UNKNOW\n", pName, pName);
  return ANSW_UNKNOW;
}

}  // namespace corvane::detail
