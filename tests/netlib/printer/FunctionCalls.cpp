#include "FunctionCalls.h"

#include <corvane/CCorvaneFunctions.h>
#include <corvane/EthPrinterFunctions.h>

#include <cstdio>
#include <stdexcept>

namespace printer_test {
namespace {

using Name = std::wstring;

std::string Bytes(DWORD dwResult, const BYTE* pBytes, DWORD dwLength) {
  const std::wstring hex = CCorvaneFunctions().ByteToExCString(pBytes, dwLength);
  return std::to_string(dwResult) + " " + std::string(hex.begin(), hex.end());
}

template <DWORD (*Function)(std::wstring, BYTE*, DWORD*, DWORD*)>
std::string Raw(const Name& printer) {
  BYTE answer[16] = {};
  DWORD dwLength = 0, dwError = 0;
  const DWORD dwResult = Function(printer, answer, &dwLength, &dwError);
  return Bytes(dwResult, answer, dwLength);
}

template <DWORD (*Function)(std::wstring, DWORD*, DWORD*)>
std::string Number(const Name& printer) {
  DWORD dwValue = 0xDEAD, dwError = 0;
  const DWORD dwResult = Function(printer, &dwValue, &dwError);
  return std::to_string(dwResult) + " " + std::to_string(dwValue);
}

template <DWORD (*Function)(std::wstring, int&, DWORD*)>
std::string Flag(const Name& printer) {
  int iValue = 99;
  DWORD dwError = 0;
  const DWORD dwResult = Function(printer, iValue, &dwError);
  return std::to_string(dwResult) + " " + std::to_string(iValue);
}

template <DWORD (*Function)(std::wstring, DWORD*)>
std::string Command(const Name& printer) {
  DWORD dwError = 0;
  return std::to_string(Function(printer, &dwError));
}

std::string Threshold(const Name& printer) {
  float fVolts = -1;
  DWORD dwError = 0;
  const DWORD dwResult = GetNotchThresholdEth(printer, &fVolts, &dwError);
  char text[32];
  std::snprintf(text, sizeof text, "%u %.1f", dwResult, static_cast<double>(fVolts));
  return text;
}

std::string Recycle(const Name& printer, DWORD dwEnable) {
  DWORD dwError = 0;
  return std::to_string(SendEnDisRecyclePrnEth(printer, dwEnable, &dwError));
}

std::string Data(const Name& printer) {
  const BYTE request[] = {0x1D, 0x49, 0x03};
  BYTE answer[4] = {};
  DWORD dwLength = 0, dwError = 0;
  const DWORD dwResult = SendReceiveDataEth(printer, request, 3, answer, 4, &dwLength, &dwError);
  return Bytes(dwResult, answer, dwLength);
}

}  // namespace

const std::vector<Call>& Calls() {
  static const std::vector<Call> calls = {
      {"SendReceiveDataEth", Data, "0 0x56,0x31,0x2E,0x32"},
      {"GetStatusEth", Raw<GetStatusEth>, "0 0x01,0x02,0x03,0x04,0x05,0x06"},
      {"GetGSIEth", Raw<GetGSIEth>, "0 0x12"},
      {"GetReleaseEth", Raw<GetReleaseEth>, "0 0x56,0x31,0x2E,0x32"},
      {"GetHeadTempEth", Raw<GetHeadTempEth>, "0 0x30,0x32,0x33,0x2E,0x35,0x43"},
      {"GetPowVoltageEth", Raw<GetPowVoltageEth>, "0 0x32,0x34,0x2E,0x31,0x30,0x56"},
      {"GetTotNumOfPowerOnEth", Number<GetTotNumOfPowerOnEth>, "0 1234"},
      {"GetNumTotCutEth", Number<GetNumTotCutEth>, "0 5678"},
      {"GetTotNumOfRetractEth", Number<GetTotNumOfRetractEth>, "0 42"},
      {"GetTotPaperRemainingEth", Number<GetTotPaperRemainingEth>, "0 750"},
      {"GetTotPaperPrintedEth", Number<GetTotPaperPrintedEth>, "0 1200"},
      {"GetTimeToCutEth", Number<GetTimeToCutEth>, "0 37"},
      {"GetRetractEnDisEth", Flag<GetRetractEnDisEth>, "0 1"},
      {"GetNotchEnDisEth", Flag<GetNotchEnDisEth>, "0 0"},
      {"GetNotchDistanceEth", Number<GetNotchDistanceEth>, "0 125"},
      {"GetNotchThresholdEth", Threshold, "0 3.9"},
      {"SendResetEth", Command<SendResetEth>, "0"},
      {"SendResetIIEth", Command<SendResetIIEth>, "0"},
      {"SendResetIIIEth", Command<SendResetIIIEth>, "0"},
      {"SendEnDisRecyclePrnEth 1", [](const Name& p) { return Recycle(p, 5); }, "0"},
      {"SendEnDisRecyclePrnEth 0", [](const Name& p) { return Recycle(p, 0); }, "0"},
  };
  return calls;
}

std::string Outcome(const std::string& strFunction, const std::wstring& strPrinter) {
  for (const Call& call : Calls())
    if (call.function == strFunction) return call.run(strPrinter);
  throw std::out_of_range("no printer function " + strFunction);
}

}  // namespace printer_test
