// One framed request/answer exchange over TCP or UDP.
#include <corvane/CCorvaneFunctions.h>
#include <corvane/CZqSyncSocketCom.h>
#include <corvane/CorvaneErrors.h>

#include <algorithm>
#include <chrono>
#include <new>
#include <string_view>
#include <vector>

#include "printer/PrinterTrace.h"

using corvane::detail::DebugTrace;

namespace {

constexpr const wchar_t* kTag = L"<ZQ>";
constexpr const wchar_t* kQueryCode = L"<STSMOQ>";
constexpr const wchar_t* kAnswerCode = L"<STSMOA>";
constexpr std::string_view kAnswerHeader = "<ZQ><STSMOA><";
constexpr BYTE kOpen = 0x3C;
constexpr BYTE kClose = 0x3E;

// Bytes that already make a whole answer frame: its header, then at least
// the closing byte at the end.
bool IsWholeAnswer(const BYTE* pBytes, DWORD dwLength) {
  if (dwLength < kAnswerHeader.size() + 1 || pBytes[dwLength - 1] != kClose) return false;
  return std::equal(kAnswerHeader.begin(), kAnswerHeader.end(), pBytes);
}

void TraceReceiveFailed(DWORD dwError) {
  DebugTrace(L"SendReceiveCom(...): ERROR: Unable to receive data! System error code %d\n",
             static_cast<int>(dwError));
}

}  // namespace

DWORD CZqSyncSocketCom::ReceiveUnknownLength(BYTE* pReceive, int iCapacity, DWORD& dwReceived,
                                             DWORD* pdwError) {
  // Reads until the peer falls silent or closes, the buffer is full or a
  // whole answer frame has come, all within one read time-out.
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::milliseconds(kTcpReadTimeout);
  int iTotal = 0;
  DWORD dwResult = CZqSocketComTcp::kReceiveFailed;
  while (iTotal < iCapacity && !IsWholeAnswer(pReceive, static_cast<DWORD>(iTotal))) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    m_TcpSocket.SetNetCommTimeouts(0, static_cast<DWORD>(left.count()), 0);
    int iRead = 0;
    DWORD dwError = 0;
    if (m_TcpSocket.ReceiveNoSize(pReceive + iTotal, iCapacity - iTotal, &iRead, &dwError,
                                  0) != CZqSocketComTcp::kOk) {
      if (iTotal == 0 && pdwError != nullptr) *pdwError = dwError;
      break;
    }
    iTotal += iRead;
    dwResult = CZqSocketComTcp::kOk;
  }
  dwReceived = static_cast<DWORD>(iTotal);
  return dwResult;
}

DWORD CZqSyncSocketCom::ExchangeTcp(const BYTE* pRequest, DWORD dwRequestLength, BYTE* pReceive,
                                    int iReceiveSize, bool bUnknownLength, DWORD& dwReceived,
                                    DWORD* pdwError) {
  m_TcpSocket.SetNetCommTimeouts(kTcpConnectionTimeout, kTcpReadTimeout, 0);
  DebugTrace(L"SendReceiveCom(...): Try to initialize communication using TCP/IP protocol... \n");
  const DWORD dwInit = m_TcpSocket.InitSocket(m_strIPAddress, m_dwPortNumber, pdwError);
  if (dwInit != CZqSocketComTcp::kOk) {
    m_TcpSocket.Close();
    if (dwInit == CZqSocketComTcp::kCreateFailed) {
      DebugTrace(L"SendReceiveCom(...): ERROR: Unable to create socket!\n");
      return kSocketCreate;
    }
    if (dwInit == CZqSocketComTcp::kConnectFailed) {
      DebugTrace(L"SendReceiveCom(...): ERROR: Unable to establish a connection !\n");
      return kConnect;
    }
    DebugTrace(L"SendReceiveCom(...): ERROR: Unable to initialize socket!\n");
    return kSocketInit;
  }
  DebugTrace(L"SendReceiveCom(...): Initialization OK!\n");
  DebugTrace(L"SendReceiveCom(...): Try to send data... \n");
  if (m_TcpSocket.Send(pRequest, static_cast<int>(dwRequestLength), pdwError) !=
      CZqSocketComTcp::kOk) {
    DebugTrace(L"SendReceiveCom(...): ERROR: Unable to send data! System error code %d\n",
               static_cast<int>(*pdwError));
    m_TcpSocket.Close();
    return kSendFailed;
  }
  DebugTrace(L"SendReceiveCom(...): Send data OK!\n");
  DebugTrace(L"SendReceiveCom(...): Try to receive data... \n");
  const DWORD dwReceive =
      bUnknownLength ? ReceiveUnknownLength(pReceive, iReceiveSize, dwReceived, pdwError)
                     : m_TcpSocket.Receive(pReceive, iReceiveSize, &dwReceived, pdwError);
  if (dwReceive != CZqSocketComTcp::kOk) {
    TraceReceiveFailed(*pdwError);
    m_TcpSocket.Close();
    return *pdwError == corvane::error::kMessageSize ? kFrameOrSize : kReceiveFailed;
  }
  DebugTrace(L"SendReceiveCom(...): Receive data OK!\n SendReceiveCom(...): Received %d bytes",
             static_cast<int>(dwReceived));
  m_TcpSocket.Close();
  DebugTrace(L"SendReceiveCom(...): Communication closed\n");
  return kOk;
}

DWORD CZqSyncSocketCom::ExchangeUdp(const BYTE* pFrame, DWORD dwFrameLength, BYTE* pReceive,
                                    int iReceiveSize, DWORD& dwReceived, DWORD* pdwError) {
  DebugTrace(L"SendReceiveCom(...): Try to initialize communication using UDP protocol... \n");
  DWORD dwInit = m_UdpTxSocket.InitSocket(kUdpPrinterPort, *pdwError, 0, 0);
  if (dwInit != CZqSocketComUdp::kOk) {
    m_UdpTxSocket.Close();
    const bool bCreate = dwInit == CZqSocketComUdp::kCreateFailed;
    DebugTrace(bCreate ? L"SendReceiveCom(...): ERROR: Unable to create tx socket!\n"
                       : L"SendReceiveCom(...): ERROR: Unable to initialize tx socket!\n");
    return bCreate ? kSocketCreate : kSocketInit;
  }
  dwInit = m_UdpRxSocket.InitSocketReceive(kUdpAnswerPort, *pdwError, 2);
  if (dwInit != CZqSocketComUdp::kOk) {
    m_UdpRxSocket.Close();
    m_UdpTxSocket.Close();
    const bool bCreate = dwInit == CZqSocketComUdp::kCreateFailed;
    DebugTrace(bCreate ? L"SendReceiveCom(...): ERROR: Unable to create rx socket!\n"
                       : L"SendReceiveCom(...): ERROR: Unable to initialize rx socket!\n");
    return bCreate ? kSocketCreate : kSocketInit;
  }
  DebugTrace(L"SendReceiveCom(...): Initialization OK!\n");
  DebugTrace(L"SendReceiveCom(...): Try to send data... \n");
  std::wstring strLocalAddress;
  DWORD dwLocalPort = 0;
  if (m_UdpTxSocket.Send(pFrame, static_cast<int>(dwFrameLength), m_strIPAddress, strLocalAddress,
                         dwLocalPort) != CZqSocketComUdp::kOk) {
    *pdwError = CCSock::GetLastError();
    DebugTrace(L"SendReceiveCom(...): ERROR: Unable to send data! System error code %d\n",
               static_cast<int>(*pdwError));
    m_UdpTxSocket.Close();
    m_UdpRxSocket.Close();
    return kSendFailed;
  }
  m_UdpTxSocket.Close();
  DebugTrace(L"SendReceiveCom(...): Send data OK!\n");
  DebugTrace(L"SendReceiveCom(...): Try to receive data... \n");
  std::wstring strSender;
  DWORD dwSenderPort = 0;
  const DWORD dwReceive =
      m_UdpRxSocket.Receive(pReceive, static_cast<DWORD>(iReceiveSize), dwReceived, strSender,
                            dwSenderPort, *pdwError, kUdpAnswerTimeout);
  if (dwReceive != CZqSocketComUdp::kOk || dwReceived == CZqSocketComUdp::kNothingReceived) {
    TraceReceiveFailed(*pdwError);
    m_UdpRxSocket.Close();
    return *pdwError == corvane::error::kMessageSize ? kFrameOrSize : kReceiveFailed;
  }
  DebugTrace(L"SendReceiveCom(...): Receive data OK!\nSendReceiveCom(...): Received %d bytes",
             static_cast<int>(dwReceived));
  m_UdpRxSocket.Close();
  DebugTrace(L"SendReceiveCom(...): Communication closed\n");
  return kOk;
}

DWORD CZqSyncSocketCom::SendReceiveCom(const BYTE* pRequest, DWORD dwRequestLength, BYTE* pAnswer,
                                       int iExpectedLength, DWORD* pdwAnswerLength,
                                       DWORD* pdwError) {
  DWORD dwLocalError = 0;
  if (pdwError == nullptr) pdwError = &dwLocalError;
  *pdwError = 0;
  m_bAnswerUnpacked = false;
  const bool bUnknownLength = iExpectedLength < 0;
  const DWORD dwAnswerRoom =
      bUnknownLength ? kUnknownLengthMax : static_cast<DWORD>(iExpectedLength);
  // A request too long for a frame cannot be framed; no room is made for it.
  if (dwRequestLength > CCorvaneFunctions::kMaxFrame) return kFrameOrSize;
  if (dwAnswerRoom > kLongestAnswer) return kNoBuffer;
  std::vector<BYTE> frame, received;
  try {
    frame.resize(dwRequestLength + kFrameOverhead);
    received.resize(dwAnswerRoom + kFrameOverhead);
  } catch (const std::bad_alloc&) {
    return kNoBuffer;
  }
  const CCorvaneFunctions functions;
  DWORD dwFrameLength = static_cast<DWORD>(frame.size());
  if (!functions.FormatEthBuffToSend(frame.data(), dwFrameLength, kTag, kQueryCode, pRequest,
                                     dwRequestLength, kOpen, kClose))
    return kFrameOrSize;
  DWORD dwReceived = 0;
  DWORD dwResult = kNoConnectionType;
  const int iReceiveSize = static_cast<int>(received.size());
  if (m_strConnectionType == L"TCP") {
    dwResult = ExchangeTcp(pRequest, dwRequestLength, received.data(), iReceiveSize,
                           bUnknownLength, dwReceived, pdwError);
    if (pdwAnswerLength != nullptr) *pdwAnswerLength = dwReceived;
  } else if (m_strConnectionType == L"UDP") {
    dwResult = ExchangeUdp(frame.data(), dwFrameLength, received.data(), iReceiveSize,
                           dwReceived, pdwError);
  }
  if (dwResult != kOk) return dwResult;
  if (dwReceived > 0 && pAnswer != nullptr) {
    DWORD dwLength = dwAnswerRoom;
    m_bAnswerUnpacked = functions.GetDataEthAnswer(pAnswer, dwLength, kTag, kAnswerCode,
                                                   received.data(), dwReceived) != 0;
    if (pdwAnswerLength != nullptr) *pdwAnswerLength = dwLength;
  }
  return kOk;
}
