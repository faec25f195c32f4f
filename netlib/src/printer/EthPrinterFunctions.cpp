// The twenty exported printer functions.
#include <corvane/EthPrinterFunctions.h>

#include <array>
#include <climits>

#include "printer/PrinterCall.h"
#include "printer/PrinterTrace.h"

using corvane::detail::DebugTrace;
using corvane::detail::PrinterCall;
using corvane::detail::RunPrinterCall;
using corvane::detail::UnknownAnswer;

namespace {

using Decoder = BOOL (CZqSyncSocketCom::*)(BYTE*, DWORD, DWORD*);

constexpr BYTE kRefused = 0x15;
constexpr int kUnknownLength = -1;

// The raw functions: the answer as it came, when it came in the answer form.
DWORD RawAnswer(const std::wstring& strPrinter, const wchar_t* pName, const wchar_t* pStart,
                std::span<const BYTE> request, BYTE* pAnswer, int iExpected,
                DWORD* pdwAnswerLength, DWORD* pdwError) {
  return RunPrinterCall(strPrinter, {pName, pStart, request, pAnswer, iExpected}, pdwAnswerLength,
                        pdwError, [](CZqSyncSocketCom& com, DWORD) {
                          return com.m_bAnswerUnpacked ? 0 : ANSW_UNKNOW;
                        });
}

// The typed answers: decoded into the caller's value (a null one is
// tolerated: the answer is then decoded and dropped).
template <class Value>
DWORD Decoded(const std::wstring& strPrinter, const wchar_t* pName, const wchar_t* pStart,
              std::span<const BYTE> request, int iExpected,
              BOOL (CZqSyncSocketCom::*decoder)(BYTE*, DWORD, Value*), Value* pValue,
              DWORD* pdwError) {
  std::array<BYTE, CZqSyncSocketCom::kUnknownLengthMax> answer{};
  Value ignored{};
  Value* pResult = pValue != nullptr ? pValue : &ignored;
  return RunPrinterCall(strPrinter, {pName, pStart, request, answer.data(), iExpected}, nullptr,
                        pdwError, [&](CZqSyncSocketCom& com, DWORD dwLength) {
                          return (com.*decoder)(answer.data(), dwLength, pResult)
                                     ? 0
                                     : UnknownAnswer(pName);
                        });
}

DWORD NumberAnswer(const std::wstring& strPrinter, const wchar_t* pName, const wchar_t* pStart,
                   std::span<const BYTE> request, int iExpected, Decoder decoder,
                   DWORD* pdwValue, DWORD* pdwError) {
  return Decoded<DWORD>(strPrinter, pName, pStart, request, iExpected, decoder, pdwValue,
                        pdwError);
}

// The commands: one answer byte, 0x15 for refused.
DWORD Command(const std::wstring& strPrinter, const wchar_t* pName, const wchar_t* pStart,
              std::span<const BYTE> request, DWORD* pdwError) {
  BYTE btAnswer = 0;
  return RunPrinterCall(
      strPrinter, {pName, pStart, request, &btAnswer, 1}, nullptr, pdwError,
      [&](CZqSyncSocketCom& com, DWORD dwLength) {
        // An answer that did not come in the answer form is no acceptance.
        if (com.m_bAnswerUnpacked && dwLength == 1 && btAnswer != kRefused) return DWORD{0};
        DebugTrace(L"%ls(...): Error in %ls: will return NACK\n", pName, pName);
        return NACK;
      });
}

template <std::size_t N>
std::span<const BYTE> Bytes(const std::array<BYTE, N>& bytes) {
  return {bytes.data(), N};
}

constexpr std::array<BYTE, 3> kStatus = {0x10, 0x04, 0x14};
constexpr std::array<BYTE, 3> kGsi = {0x10, 0x04, 0x15};
constexpr std::array<BYTE, 3> kRelease = {0x1D, 0x49, 0x03};
constexpr std::array<BYTE, 2> kHeadTemp = {0x1D, 0xDE};
constexpr std::array<BYTE, 2> kVoltage = {0x1D, 0xDF};
constexpr std::array<BYTE, 2> kPowerOn = {0x1D, 0xE5};
constexpr std::array<BYTE, 2> kCuts = {0x1D, 0xE2};
constexpr std::array<BYTE, 2> kRetracts = {0x1D, 0xE4};
constexpr std::array<BYTE, 2> kPaperRemaining = {0x1D, 0xE1};
constexpr std::array<BYTE, 2> kPaperPrinted = {0x1D, 0xE3};
constexpr std::array<BYTE, 2> kTimeToCut = {0x1D, 0xD9};
constexpr std::array<BYTE, 2> kRetractEnabled = {0x1D, 0xDC};
constexpr std::array<BYTE, 2> kNotchEnabled = {0x1D, 0xDA};
constexpr std::array<BYTE, 2> kNotchDistance = {0x1D, 0xDB};
constexpr std::array<BYTE, 2> kNotchThreshold = {0x1D, 0xDD};
constexpr std::array<BYTE, 6> kReset = {0x1C, 0xC0, 0x18, 0x10, 0x14, 0x1A};
constexpr std::array<BYTE, 6> kResetII = {0x1C, 0xC0, 0x18, 0x10, 0x14, 0x17};
constexpr std::array<BYTE, 6> kResetIII = {0x1C, 0xC0, 0x18, 0x10, 0x14, 0x19};
constexpr std::array<BYTE, 6> kRecycleOn = {0x1C, 0xC0, 0x18, 0x10, 0x14, 0x16};
constexpr std::array<BYTE, 6> kRecycleOff = {0x1C, 0xC0, 0x18, 0x10, 0x14, 0x18};

}  // namespace

DWORD SendReceiveDataEth(std::wstring strPrinterName, const BYTE* pRequest, DWORD dwRequestLength,
                         BYTE* pAnswer, DWORD dwExpectedLength, DWORD* pdwAnswerLength,
                         DWORD* pdwError) {
  // Chooses the protocol like every other function of the family.
  const int iExpected = dwExpectedLength > INT_MAX ? INT_MAX : static_cast<int>(dwExpectedLength);
  return RawAnswer(strPrinterName, L"SendReceiveDataEth",
                   L"SendReceiveDataEth(...): Starting to Send and Receive data from IP\n",
                   {pRequest, pRequest != nullptr ? dwRequestLength : 0}, pAnswer, iExpected,
                   pdwAnswerLength, pdwError);
}

DWORD GetStatusEth(std::wstring strPrinterName, BYTE* pAnswer, DWORD* pdwAnswerLength,
                   DWORD* pdwError) {
  return RawAnswer(strPrinterName, L"GetStatusEth",
                   L"GetStatusEth(...): Starting to get Printer Status\n", Bytes(kStatus), pAnswer,
                   6, pdwAnswerLength, pdwError);
}

DWORD GetGSIEth(std::wstring strPrinterName, BYTE* pAnswer, DWORD* pdwAnswerLength,
                DWORD* pdwError) {
  return RawAnswer(strPrinterName, L"GetGSIEth", L"GetGSIEth(...): Starting to get GSI\n",
                   Bytes(kGsi), pAnswer, 1, pdwAnswerLength, pdwError);
}

DWORD GetReleaseEth(std::wstring strPrinterName, BYTE* pAnswer, DWORD* pdwAnswerLength,
                    DWORD* pdwError) {
  return RawAnswer(strPrinterName, L"GetReleaseEth",
                   L"GetReleaseEth(...): Starting to get Printer Release\n", Bytes(kRelease),
                   pAnswer, 4, pdwAnswerLength, pdwError);
}

DWORD GetHeadTempEth(std::wstring strPrinterName, BYTE* pAnswer, DWORD* pdwAnswerLength,
                     DWORD* pdwError) {
  return RawAnswer(strPrinterName, L"GetHeadTempEth",
                   L"GetHeadTempEth(...): Starting to get Head Temperature\n", Bytes(kHeadTemp),
                   pAnswer, 6, pdwAnswerLength, pdwError);
}

DWORD GetPowVoltageEth(std::wstring strPrinterName, BYTE* pAnswer, DWORD* pdwAnswerLength,
                       DWORD* pdwError) {
  return RawAnswer(strPrinterName, L"GetPowVoltageEth",
                   L"GetPowVoltageEth(...): Starting to get the Power voltage\n", Bytes(kVoltage),
                   pAnswer, 6, pdwAnswerLength, pdwError);
}

DWORD GetTotNumOfPowerOnEth(std::wstring strPrinterName, DWORD* pdwCount, DWORD* pdwError) {
  return NumberAnswer(strPrinterName, L"GetTotNumOfPowerOnEth",
                      L"GetTotNumOfPowerOnEth(...): Starting to get number of Power On\n",
                      Bytes(kPowerOn), kUnknownLength, &CZqSyncSocketCom::TherIsAPowerOnNumber,
                      pdwCount, pdwError);
}

DWORD GetNumTotCutEth(std::wstring strPrinterName, DWORD* pdwCount, DWORD* pdwError) {
  return NumberAnswer(strPrinterName, L"GetNumTotCutEth",
                      L"GetNumTotCutEth(...): Starting to get number of cut\n", Bytes(kCuts),
                      kUnknownLength, &CZqSyncSocketCom::TherIsNumTotCuts, pdwCount, pdwError);
}

DWORD GetTotNumOfRetractEth(std::wstring strPrinterName, DWORD* pdwCount, DWORD* pdwError) {
  return NumberAnswer(strPrinterName, L"GetTotNumOfRetractEth",
                      L"GetTotNumOfRetractEth(...): Starting to get number of cut\n",
                      Bytes(kRetracts), kUnknownLength, &CZqSyncSocketCom::TherIsARetractNumber,
                      pdwCount, pdwError);
}

DWORD GetTotPaperRemainingEth(std::wstring strPrinterName, DWORD* pdwLength, DWORD* pdwError) {
  return NumberAnswer(strPrinterName, L"GetTotPaperRemainingEth",
                      L"GetTotPaperRemainingEth(...): Starting to get number of cut\n",
                      Bytes(kPaperRemaining), kUnknownLength, &CZqSyncSocketCom::TherIsALength,
                      pdwLength, pdwError);
}

DWORD GetTotPaperPrintedEth(std::wstring strPrinterName, DWORD* pdwLength, DWORD* pdwError) {
  return NumberAnswer(strPrinterName, L"GetTotPaperPrintedEth",
                      L"GetTotPaperPrintedEth(...): Starting to get number of cut\n",
                      Bytes(kPaperPrinted), kUnknownLength, &CZqSyncSocketCom::TherIsALength,
                      pdwLength, pdwError);
}

DWORD GetTimeToCutEth(std::wstring strPrinterName, DWORD* pdwTime, DWORD* pdwError) {
  return NumberAnswer(
      strPrinterName, L"GetTimeToCutEth",
      L"GetTimeToCutEth(...): Starting to get time elapsed during last cut operation\n",
      Bytes(kTimeToCut), 6, &CZqSyncSocketCom::TherIsATimeToCut, pdwTime, pdwError);
}

DWORD GetNotchDistanceEth(std::wstring strPrinterName, DWORD* pdwDistance, DWORD* pdwError) {
  return NumberAnswer(
      strPrinterName, L"GetNotchDistanceEth",
      L"GetNotchDistanceEth(...): Starting to get notch distance from the beginning of the "
      L"document\n",
      Bytes(kNotchDistance), 6, &CZqSyncSocketCom::TherIsANotchDist, pdwDistance, pdwError);
}

DWORD GetRetractEnDisEth(std::wstring strPrinterName, int& iEnabled, DWORD* pdwError) {
  return Decoded<int>(
      strPrinterName, L"GetRetractEnDisEth",
      L"GetRetractEnDisEth(...): Starting to get if retract is enabled or disabled\n",
      Bytes(kRetractEnabled), 4, &CZqSyncSocketCom::TherIsRetractEnabled, &iEnabled, pdwError);
}

DWORD GetNotchEnDisEth(std::wstring strPrinterName, int& iEnabled, DWORD* pdwError) {
  return Decoded<int>(strPrinterName, L"GetNotchEnDisEth",
                      L"GetNotchEnDisEth(...): Starting to get if notch is enabled or disabled\n",
                      Bytes(kNotchEnabled), 4, &CZqSyncSocketCom::TherIsNotchEnabled, &iEnabled,
                      pdwError);
}

DWORD GetNotchThresholdEth(std::wstring strPrinterName, float* pfVolts, DWORD* pdwError) {
  return Decoded<float>(strPrinterName, L"GetNotchThresholdEth",
                        L"GetNotchThresholdEth(...): Starting to get notch threshold\n",
                        Bytes(kNotchThreshold), 4, &CZqSyncSocketCom::TherIsANotchThreshold,
                        pfVolts, pdwError);
}

DWORD SendResetEth(std::wstring strPrinterName, DWORD* pdwError) {
  return Command(strPrinterName, L"SendResetEth", L"SendResetEth(...): Starting to perform reset\n",
                 Bytes(kReset), pdwError);
}

DWORD SendResetIIEth(std::wstring strPrinterName, DWORD* pdwError) {
  return Command(strPrinterName, L"SendResetIIEth",
                 L"SendResetIIEth(...): Starting to perform resetII\n", Bytes(kResetII), pdwError);
}

DWORD SendResetIIIEth(std::wstring strPrinterName, DWORD* pdwError) {
  return Command(strPrinterName, L"SendResetIIIEth",
                 L"SendResetIIIEth(...): Starting to perform resetIII\n", Bytes(kResetIII),
                 pdwError);
}

DWORD SendEnDisRecyclePrnEth(std::wstring strPrinterName, DWORD dwEnable, DWORD* pdwError) {
  const bool bEnable = dwEnable != 0;
  return Command(
      strPrinterName, L"SendEnDisRecyclePrnEth",
      bEnable ? L"SendEnDisRecyclePrnEth(...): Starting to set printer to work as RECYCLE\n"
              : L"SendEnDisRecyclePrnEth(...): Starting to set printer to work as PRINTER "
                L"(recycle disable)\n",
      Bytes(bEnable ? kRecycleOn : kRecycleOff), pdwError);
}
