#pragma once
// Datagram endpoint: either a sending endpoint aimed at one remote port
// (broadcast or a named host) or a receiving endpoint bound to one local port
// that receives with a time-out and reports the sender.
#include <corvane/CCSock.h>
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <memory>
#include <string>

namespace corvane::detail {
class DatagramDrain;
}

class CORVANE_EXPORT CZqSocketComUdp {
 public:
  // Result codes shared by all operations.
  static constexpr DWORD kOk = 0;
  static constexpr DWORD kCreateFailed = 1;
  static constexpr DWORD kMessageTooLong = 3;
  static constexpr DWORD kNotSentWhole = 4;
  static constexpr DWORD kBroadcastFailed = 6;
  static constexpr DWORD kZeroBytes = 7;
  static constexpr DWORD kDatagramTooLarge = 20;
  // Received count of a receive in which nothing arrived in time.
  static constexpr DWORD kNothingReceived = 0xFFFFFFFF;

  CZqSocketComUdp();
  virtual ~CZqSocketComUdp();
  CZqSocketComUdp(const CZqSocketComUdp&) = delete;
  CZqSocketComUdp& operator=(const CZqSocketComUdp&) = delete;

  // Set-up and teardown. A socket type of 0 means datagram.
  DWORD InitSocket(DWORD dwPort, DWORD dwSocketType = 0, DWORD dwBroadcast = 1);
  DWORD InitSocket(DWORD dwPort, DWORD& dwError, DWORD dwSocketType, DWORD dwBroadcast);
  DWORD InitSocketReceive(DWORD dwPort, DWORD dwSocketType = 0);
  DWORD InitSocketReceive(DWORD dwPort, DWORD& dwError, DWORD dwSocketType);
  // A sending endpoint whose datagrams leave through one interface (its
  // index) from one of that interface's addresses, whatever the routing
  // table prefers, with broadcast permission. Needs no privilege.
  DWORD InitSocketOnInterface(DWORD dwPort, DWORD dwInterfaceIndex,
                              const std::wstring& strLocalAddress);
  void SetNetCommTimeouts(DWORD dwTxTimeout, DWORD dwRxTimeout, BOOL bUseDefaults);
  void Close();

  // Byte sends: to the broadcast destination, or to a host (dotted or name).
  DWORD Send(const BYTE* pBuffer, int iLength);
  DWORD Send(const BYTE* pBuffer, int iLength, DWORD& dwError);
  DWORD Send(const BYTE* pBuffer, int iLength, std::wstring& strLocalAddress, DWORD& dwPort);
  DWORD Send(const BYTE* pBuffer, int iLength, const std::wstring& strHost);
  DWORD Send(const BYTE* pBuffer, int iLength, const std::wstring& strHost,
             std::wstring& strLocalAddress, DWORD& dwPort);

  // Text sends: one byte per character (the character's low 8 bits).
  DWORD Send(const std::wstring& strMessage);
  DWORD Send(const std::wstring& strMessage, DWORD& dwError);
  DWORD Send(const std::wstring& strMessage, std::wstring& strLocalAddress, DWORD& dwPort);
  DWORD Send(const std::wstring& strMessage, const std::wstring& strHost);
  DWORD Send(const std::wstring& strMessage, const std::wstring& strHost,
             std::wstring& strLocalAddress, DWORD& dwPort);

  // Receives. A time-out of 0 means m_dwRxTimeout.
  DWORD Receive(BYTE* pBuffer, DWORD dwBufferSize, DWORD& dwReceived,
                std::wstring& strSenderAddress, DWORD& dwSenderPort, DWORD dwTimeout);
  DWORD Receive(BYTE* pBuffer, DWORD dwBufferSize, DWORD& dwReceived,
                std::wstring& strSenderAddress, DWORD& dwSenderPort, DWORD& dwError,
                DWORD dwTimeout);
  // Fixed-size forms: the buffer holds at least 65535 bytes.
  DWORD Receive(BYTE* pBuffer, DWORD& dwReceived, std::wstring& strSenderAddress,
                DWORD& dwSenderPort, DWORD dwTimeout);
  DWORD Receive(BYTE* pBuffer, DWORD& dwReceived, std::wstring& strSenderAddress,
                DWORD& dwSenderPort, DWORD& dwError, DWORD dwTimeout);

  // Receiving endpoint: index of the interface the last datagram received
  // arrived on; 0 when not known.
  DWORD GetLastReceiveInterface() const { return m_dwLastInterface; }
  // Receiving endpoint: datagrams the kernel dropped at its socket (a full
  // buffer) since it was opened. 0 when the system does not tell.
  BOOL GetReceiveDrops(DWORD& dwDrops) const;

 private:
  // Largest payload of one IPv4 datagram; longer buffers go out in pieces of
  // this size, so that none of them is refused for its length.
  static constexpr int kMaxDatagramPayload = 65507;
  // Size of the fixed-size receive forms' buffer.
  static constexpr DWORD kFixedBufferSize = 65535;
  // Kernel receive buffer asked for on a receiving endpoint (capped by the
  // system's maximum).
  static constexpr int kReceiveBufferRequest = 4 << 20;

  DWORD Create(DWORD dwPort, DWORD dwSocketType, DWORD* pError, bool bReceive);
  // The broadcast destination; a subnet-directed one needs the socket's
  // broadcast permission too, which is given here. False when that fails.
  bool PrepareBroadcast(std::wstring& strDestination);
  // pHost null: the broadcast destination.
  DWORD SendBytes(const BYTE* pBuffer, int iLength, const std::wstring* pHost, DWORD* pError);
  // One datagram through the interface of InitSocketOnInterface.
  int SendViaInterface(const BYTE* pBuffer, int iLength, DWORD dwAddress);
  DWORD SendText(const std::wstring& strMessage, const std::wstring* pHost, DWORD* pError);
  // One datagram from the reader's queue (or the socket when there is no
  // reader): its size, or -1 / 0 with the socket error set as CCSock does.
  int ReceiveOne(BYTE* pBuffer, DWORD dwBufferSize, std::wstring& strSenderAddress,
                 DWORD& dwSenderPort, DWORD dwTimeout);
  DWORD ReceiveInto(BYTE* pBuffer, DWORD dwBufferSize, bool bReportTooLarge,
                    DWORD& dwReceived, std::wstring& strSenderAddress, DWORD& dwSenderPort,
                    DWORD* pError, DWORD dwTimeout);

  CCSock m_Socket;
  DWORD m_dwPort = 0;
  DWORD m_dwTxTimeout = 5000;
  DWORD m_dwRxTimeout = 10000;
  DWORD m_bBroadcast = 1;
  // Sending through one interface (InitSocketOnInterface): its index and
  // the source address; 0 sends wherever the routing table says.
  DWORD m_dwInterfaceIndex = 0;
  DWORD m_dwSourceAddress = 0;
  DWORD m_dwLastInterface = 0;
  // Reader thread of a receiving endpoint; stopped before the socket closes.
  std::unique_ptr<corvane::detail::DatagramDrain> m_pDrain;
};
