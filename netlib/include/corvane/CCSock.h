#pragma once
// Blocking IPv4 socket whose connect, stream receive and datagram receive
// give up after a per-operation time-out in milliseconds. Failures are
// reported by return values; GetLastError() then gives the socket error code
// (<corvane/CorvaneErrors.h>) of the calling thread's last failed call.
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <memory>
#include <string>

class CORVANE_EXPORT CCSock {
 public:
  static constexpr int kStream = 1;
  static constexpr int kDatagram = 2;

  // 1 after construction and after the peer closed the connection; 0 after a
  // connect that succeeded.
  BOOL m_bClosed = 1;
  DWORD m_dwTimeoutConnection = 0;   // longest wait for a connect, ms
  DWORD m_dwTimeoutRead = 0;         // longest wait in Receive, ms
  DWORD m_dwTimeoutReceiveFrom = 0;  // longest wait in ReceiveFrom, ms

  CCSock();
  virtual ~CCSock();
  CCSock(const CCSock&) = delete;
  CCSock& operator=(const CCSock&) = delete;

  void Set_m_dwTimeoutConnection(DWORD dwTimeout) { m_dwTimeoutConnection = dwTimeout; }
  void Set_m_dwTimeoutRead(DWORD dwTimeout) { m_dwTimeoutRead = dwTimeout; }
  void Set_m_dwTimeoutReceiveFrom(DWORD dwTimeout) { m_dwTimeoutReceiveFrom = dwTimeout; }

  // Creates the socket (kStream or kDatagram) bound to the local port (0: any)
  // on the given dotted address (empty: all interfaces). The port is not shared
  // with other sockets. Fails on a socket that is already created.
  BOOL Create(UINT nSocketPort = 0, int nSocketType = kStream,
              const std::wstring& strSocketAddress = std::wstring());
  // Closes the socket; the object can be created again afterwards.
  void Close();
  BOOL IsCreated() const;

  // Connects to a dotted address or host name, waiting at most
  // m_dwTimeoutConnection. 0 on failure: 10061 refused, 10060 no answer in
  // time, 10036 another blocking call of this socket is running.
  BOOL Connect(const std::wstring& strHostAddress, UINT nHostPort);

  // Stream receive waiting at most m_dwTimeoutRead: the byte count, 0 when
  // the peer closed the connection, -1 on error or time-out (10060). 0 with
  // error 10036 when another blocking call of this socket is running.
  virtual int Receive(void* pBuffer, int nBufferLength, int nFlags = 0);
  // Datagram receive waiting at most m_dwTimeoutReceiveFrom; fills the
  // sender's dotted address and port. A datagram larger than the buffer fills
  // the buffer, is consumed and gives -1 with 10040. Time-out: -1 with 10060.
  // 0 with error 10036 when another blocking call of this socket is running.
  int ReceiveFrom(void* pBuffer, int nBufferLength, std::wstring& strSocketAddress,
                  UINT& nSocketPort, int nFlags = 0);

  // Sends the whole buffer on a connected stream socket; bytes sent or -1.
  int Send(const void* pBuffer, int nBufferLength, int nFlags = 0);
  // Sends one datagram to a dotted address or host name; bytes sent or -1.
  int SendTo(const void* pBuffer, int nBufferLength, UINT nHostPort,
             const std::wstring& strHostAddress, int nFlags = 0);
  // Sends one datagram to an IPv4 address given as a number (first octet most
  // significant), sparing a look-up per datagram.
  int SendToAddress(const void* pBuffer, int nBufferLength, UINT nHostPort, DWORD dwAddress);
  // A dotted address or host name as a number (first octet most significant).
  static BOOL ResolveAddress(const std::wstring& strHostAddress, DWORD& dwAddress);

  BOOL SetBroadcast(BOOL bEnable);
  BOOL SetReceiveBufferSize(int nBytes);
  // The local dotted address and port the socket is bound to.
  BOOL GetSockName(std::wstring& strSocketAddress, UINT& nSocketPort) const;
  // True while a connect or receive of this socket is waiting.
  BOOL IsBlocking() const;
  // The descriptor, for corvane's own readers; -1 when not created.
  int GetNativeHandle() const;

  // The calling thread's last socket error code.
  static DWORD GetLastError();

  // Called when a stream receive finds the connection closed by the peer.
  virtual void OnClose(int nErrorCode);

 private:
  struct State;
  std::unique_ptr<State> m_pState;
};
