#pragma once
// One request/answer exchange with a printer of the maker that is installed
// in the print spooler. Given the queue's name it finds the protocol (UDP or
// TCP) in the registry store key "SOFTWARE\ZQ\Tolvan\<name>" (value "EthPrt":
// 0 UDP, 1 TCP), the printer's address and port from the queue's port,
// serialises exchanges with the same address and port across threads and
// processes, frames the request, sends it, waits for the answer and unpacks
// it. Every step writes a trace line (<corvane/DebugTrace.h>).
//
// Order of use: SetSocketConnectionType, SetIPAddress, then any number of
// exchanges (RetrySyncSendReceiveCom), each opening and closing its sockets
// and its printer lock.
#include <corvane/CZqSocketComTcp.h>
#include <corvane/CZqSocketComUdp.h>
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <memory>
#include <string>

class CRegHnd;
namespace corvane::detail {
class PrinterMutex;
}

class CORVANE_EXPORT CZqSyncSocketCom {
 public:
  // Exchange status.
  static constexpr DWORD kOk = 0;
  static constexpr DWORD kNoConnectionType = 4;
  static constexpr DWORD kNoBuffer = 10;
  static constexpr DWORD kPrinterBusy = 16;
  static constexpr DWORD kFrameOrSize = 20;
  static constexpr DWORD kSocketInit = 32;
  static constexpr DWORD kSocketCreate = 33;
  static constexpr DWORD kConnect = 34;
  static constexpr DWORD kSendFailed = 48;
  static constexpr DWORD kReceiveFailed = 64;
  // SetIPAddress.
  static constexpr DWORD kNoPrinter = 1;
  static constexpr DWORD kNoAddress = 2;
  static constexpr DWORD kNoPortNumber = 3;

  static constexpr DWORD kTcpConnectionTimeout = 1500;
  static constexpr DWORD kTcpReadTimeout = 5000;
  static constexpr DWORD kUdpPrinterPort = 15000;
  static constexpr DWORD kUdpAnswerPort = 15001;
  static constexpr DWORD kUdpAnswerTimeout = 12000;
  static constexpr DWORD kMutexWait = 1000;
  static constexpr int kBusyRetries = 5;
  // Frame around request and answer: tag, code, opening and closing byte.
  static constexpr DWORD kFrameOverhead = 14;
  // An expected answer length below 0 asks for an answer of unknown length
  // of at most this many bytes (the answer buffer must hold them).
  static constexpr int kUnknownLengthMax = 16;
  // Longest expected answer an exchange makes room for.
  static constexpr DWORD kLongestAnswer = 65535;

  DWORD m_dwPortNumber = 0;
  std::wstring m_strIPAddress;
  // The printer lock of the running exchange; closed when the exchange ends.
  std::unique_ptr<corvane::detail::PrinterMutex> m_hSyncMutex;
  CZqSocketComTcp m_TcpSocket;
  CZqSocketComUdp m_UdpTxSocket;
  CZqSocketComUdp m_UdpRxSocket;
  std::unique_ptr<CRegHnd> m_pRegHnd;
  std::wstring m_strConnectionType;  // "UDP", "TCP" or empty
  // Whether the last exchange's answer carried the answer tag and code and
  // its data fitted the answer buffer (the exchange gives 0 either way).
  bool m_bAnswerUnpacked = false;

  CZqSyncSocketCom();
  virtual ~CZqSyncSocketCom();
  CZqSyncSocketCom(const CZqSyncSocketCom&) = delete;
  CZqSyncSocketCom& operator=(const CZqSyncSocketCom&) = delete;

  // 0, or 4 when the protocol value is missing or neither 0 nor 1.
  DWORD SetSocketConnectionType(const std::wstring& strPrinterName, DWORD* pdwError);
  // 0; 1 no such queue; 2 no usable address; 3 no port number.
  DWORD SetIPAddress(const std::wstring& strPrinterName, DWORD* pdwError);
  // Opens the lock named strName and keeps it in m_hSyncMutex; null when it
  // cannot be opened.
  corvane::detail::PrinterMutex* CreateSyncrMutex(const std::wstring& strName);

  // One exchange: pAnswer receives the unpacked answer (room for
  // iExpectedLength bytes, or kUnknownLengthMax when iExpectedLength < 0),
  // *pdwAnswerLength its length.
  DWORD SendReceiveCom(const BYTE* pRequest, DWORD dwRequestLength, BYTE* pAnswer,
                       int iExpectedLength, DWORD* pdwAnswerLength, DWORD* pdwError);
  // The same under the printer's lock; 16 when it is not obtained in 1000 ms.
  DWORD SyncSendReceiveCom(const BYTE* pRequest, DWORD dwRequestLength, BYTE* pAnswer,
                           int iExpectedLength, DWORD* pdwAnswerLength, DWORD* pdwError);
  // The same, tried again up to 5 times while the printer is busy.
  DWORD RetrySyncSendReceiveCom(const BYTE* pRequest, DWORD dwRequestLength, BYTE* pAnswer,
                                int iExpectedLength, DWORD* pdwAnswerLength, DWORD* pdwError);

  // Answer decoders: 1 when the answer has the form, else 0 with the result 0.
  // Those with a unit suffix overwrite the suffix in the answer with zeros.
  BOOL TherIsAPowerOnNumber(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult);
  BOOL TherIsNumTotCuts(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult);
  BOOL TherIsARetractNumber(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult);
  BOOL TherIsALength(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult);
  BOOL TherIsATimeToCut(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult);
  BOOL TherIsANotchDist(BYTE* pAnswer, DWORD dwLength, DWORD* pdwResult);
  BOOL TherIsRetractEnabled(BYTE* pAnswer, DWORD dwLength, int* piResult);
  BOOL TherIsNotchEnabled(BYTE* pAnswer, DWORD dwLength, int* piResult);
  BOOL TherIsANotchThreshold(BYTE* pAnswer, DWORD dwLength, float* pfResult);

 private:
  DWORD ExchangeTcp(const BYTE* pRequest, DWORD dwRequestLength, BYTE* pReceive,
                    int iReceiveSize, bool bUnknownLength, DWORD& dwReceived, DWORD* pdwError);
  DWORD ExchangeUdp(const BYTE* pFrame, DWORD dwFrameLength, BYTE* pReceive, int iReceiveSize,
                    DWORD& dwReceived, DWORD* pdwError);
  DWORD ReceiveUnknownLength(BYTE* pReceive, int iCapacity, DWORD& dwReceived, DWORD* pdwError);
  DWORD AddressFromRegistry(const std::wstring& strKey, std::wstring& strAddress);
};
