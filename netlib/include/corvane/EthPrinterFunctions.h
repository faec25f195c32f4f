#pragma once
// Status and command functions for the maker's network printers, each one
// self-contained call addressed by the printer's print-spooler queue name:
// it finds protocol, address and port (CZqSyncSocketCom), runs one
// serialised exchange with a fixed request and decodes the answer.
//
// Every function takes the queue name first and the error out-parameter last
// (set to 0 on entry, then the error code of a failing call). Results: 0
// success; 1 no such queue; 2 no valid address; 3 no valid port number; 4 no
// valid protocol; 6 (SOCKET_ERROR_INTERNAL) no exchange object; 10, 16, 20,
// 32, 33, 34, 48, 64 exchange status (CZqSyncSocketCom; 16: printer busy);
// 0x1000 (ANSW_UNKNOW / NACK) an answer not in the expected form, or a
// command the printer refused. Typed results are 0 when the answer was not
// understood, untouched on earlier failures.
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <string>

inline constexpr DWORD SOCKET_ERROR_INTERNAL = 6;
inline constexpr DWORD ANSW_UNKNOW = 0x1000;
inline constexpr DWORD NACK = 0x1000;

// Any request; pAnswer has room for dwExpectedLength bytes.
CORVANE_EXPORT DWORD SendReceiveDataEth(std::wstring strPrinterName, const BYTE* pRequest,
                                        DWORD dwRequestLength, BYTE* pAnswer,
                                        DWORD dwExpectedLength, DWORD* pdwAnswerLength,
                                        DWORD* pdwError);

// Raw answers: the printer's bytes unchanged, *pdwAnswerLength of them.
CORVANE_EXPORT DWORD GetStatusEth(std::wstring strPrinterName, BYTE* pAnswer /* 6 */,
                                  DWORD* pdwAnswerLength, DWORD* pdwError);
CORVANE_EXPORT DWORD GetGSIEth(std::wstring strPrinterName, BYTE* pAnswer /* 1 */,
                               DWORD* pdwAnswerLength, DWORD* pdwError);
CORVANE_EXPORT DWORD GetReleaseEth(std::wstring strPrinterName, BYTE* pAnswer /* 4 */,
                                   DWORD* pdwAnswerLength, DWORD* pdwError);
CORVANE_EXPORT DWORD GetHeadTempEth(std::wstring strPrinterName, BYTE* pAnswer /* 6 */,
                                    DWORD* pdwAnswerLength, DWORD* pdwError);
CORVANE_EXPORT DWORD GetPowVoltageEth(std::wstring strPrinterName, BYTE* pAnswer /* 6 */,
                                      DWORD* pdwAnswerLength, DWORD* pdwError);

// Life counters and lengths (centimetres).
CORVANE_EXPORT DWORD GetTotNumOfPowerOnEth(std::wstring strPrinterName, DWORD* pdwCount,
                                           DWORD* pdwError);
CORVANE_EXPORT DWORD GetNumTotCutEth(std::wstring strPrinterName, DWORD* pdwCount,
                                     DWORD* pdwError);
CORVANE_EXPORT DWORD GetTotNumOfRetractEth(std::wstring strPrinterName, DWORD* pdwCount,
                                           DWORD* pdwError);
CORVANE_EXPORT DWORD GetTotPaperRemainingEth(std::wstring strPrinterName, DWORD* pdwLength,
                                             DWORD* pdwError);
CORVANE_EXPORT DWORD GetTotPaperPrintedEth(std::wstring strPrinterName, DWORD* pdwLength,
                                           DWORD* pdwError);

// Cutter and notch settings.
CORVANE_EXPORT DWORD GetTimeToCutEth(std::wstring strPrinterName, DWORD* pdwTime,
                                     DWORD* pdwError);
CORVANE_EXPORT DWORD GetRetractEnDisEth(std::wstring strPrinterName, int& iEnabled,
                                        DWORD* pdwError);
CORVANE_EXPORT DWORD GetNotchEnDisEth(std::wstring strPrinterName, int& iEnabled,
                                      DWORD* pdwError);
CORVANE_EXPORT DWORD GetNotchDistanceEth(std::wstring strPrinterName, DWORD* pdwDistance,
                                         DWORD* pdwError);
CORVANE_EXPORT DWORD GetNotchThresholdEth(std::wstring strPrinterName, float* pfVolts,
                                          DWORD* pdwError);

// Commands: 0 when the printer accepted, NACK when it refused (0x15).
CORVANE_EXPORT DWORD SendResetEth(std::wstring strPrinterName, DWORD* pdwError);
CORVANE_EXPORT DWORD SendResetIIEth(std::wstring strPrinterName, DWORD* pdwError);
CORVANE_EXPORT DWORD SendResetIIIEth(std::wstring strPrinterName, DWORD* pdwError);
CORVANE_EXPORT DWORD SendEnDisRecyclePrnEth(std::wstring strPrinterName, DWORD dwEnable,
                                            DWORD* pdwError);
