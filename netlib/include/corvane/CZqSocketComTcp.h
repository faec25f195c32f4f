#pragma once
// Client side of a TCP connection to one peer: connects with a time-out,
// sends byte buffers (in chunks of at most 1024 bytes), single bytes and
// texts (one byte per character, at most 1023 characters), and receives
// either an exact number of bytes or whatever arrives until the peer falls
// silent. Every operation returns a status; the forms with an error
// out-parameter also give the socket error code (<corvane/CorvaneErrors.h>)
// of the failing call, 0 on success.
#include <corvane/CCSock.h>
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <cstddef>
#include <string>

class CORVANE_EXPORT CZqSocketComTcp {
 public:
  static constexpr DWORD kOk = 0;
  static constexpr DWORD kCreateFailed = 1;
  static constexpr DWORD kConnectFailed = 2;
  static constexpr DWORD kTextTooLong = 3;
  static constexpr DWORD kNotSentWhole = 4;
  static constexpr DWORD kReceiveFailed = 5;

  static constexpr int kSendChunk = 1024;
  // Texts of this many characters or more are refused.
  static constexpr std::size_t kMaxTextLength = 1024;
  // Largest single read of ReceiveNoSize.
  static constexpr int kReadChunk = 65535;
  static constexpr DWORD kDefaultConnectionTimeout = 5000;
  static constexpr DWORD kDefaultReadTimeout = 500;

  DWORD m_dwBytesReceived = 0;  // count of the last successful sized Receive
  CCSock m_Socket;
  DWORD m_dwTimeoutConnection = kDefaultConnectionTimeout;
  DWORD m_dwTimeoutRead = kDefaultReadTimeout;
  std::wstring m_strIPAddress;  // peer of the last successful InitSocket

  CZqSocketComTcp();
  virtual ~CZqSocketComTcp();
  CZqSocketComTcp(const CZqSocketComTcp&) = delete;
  CZqSocketComTcp& operator=(const CZqSocketComTcp&) = delete;

  // Creates the stream socket and connects to a dotted address or host name:
  // 0, 1 (not created) or 2 (not connected). After a failure call Close.
  DWORD InitSocket(const std::wstring& strAddress, DWORD dwPort);
  DWORD InitSocket(const std::wstring& strAddress, DWORD dwPort, DWORD* pdwError);

  // 0 or 4. A length of 0 makes one zero-length send.
  DWORD Send(const BYTE* pBuffer, int iLength);
  DWORD Send(const BYTE* pBuffer, int iLength, DWORD* pdwError);
  DWORD SendChar(BYTE btValue);
  DWORD SendChar(BYTE btValue, DWORD* pdwError);
  // 0, 3 (1024 characters or more, nothing sent) or 4.
  DWORD Send(const std::wstring& strText);
  DWORD Send(const std::wstring& strText, DWORD* pdwError);

  // Exactly iSize bytes, each read waiting at most m_dwTimeoutRead: 0, or 5
  // when a read times out, fails or finds the connection closed first.
  DWORD Receive(BYTE* pBuffer, int iSize);
  DWORD Receive(BYTE* pBuffer, int iSize, DWORD* pdwReceived, DWORD* pdwError);

  // Whatever the peer sends: one read (bLoop false) or reads appended until
  // the peer falls silent for m_dwTimeoutRead or closes (bLoop true). 0 when
  // anything arrived, else 5. These forms assume a buffer of 65535 bytes and
  // never store more than that.
  DWORD ReceiveNoSize(BYTE* pBuffer, int* piReceived, BOOL bLoop);
  DWORD ReceiveNoSize(BYTE* pBuffer, int* piReceived, DWORD* pdwError, BOOL bLoop);
  // The same with the buffer's capacity: never more than iCapacity bytes are
  // stored; in loop mode reading ends when the buffer is full.
  DWORD ReceiveNoSize(BYTE* pBuffer, int iCapacity, int* piReceived, DWORD* pdwError,
                      BOOL bLoop);

  // With bUseDefaults the time-outs become 5000 and 500 ms; otherwise each
  // argument that is not 0 replaces its time-out.
  void SetNetCommTimeouts(DWORD dwConnection, DWORD dwRead, BOOL bUseDefaults);
  void Close();
};
