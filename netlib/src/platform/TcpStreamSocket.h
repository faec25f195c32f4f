#pragma once
// The TCP socket under the message client and server: a non-blocking stream
// socket whose reads never wait and whose writes wait for room with a
// deadline. Error codes are the platform's errno values.
#include <corvane/CorvaneTypes.h>

#include <cstddef>
#include <memory>
#include <string>

#include "platform/SocketHandle.h"

namespace corvane::platform {

class TcpStreamSocket {
 public:
  enum class ReadStatus { kData, kWouldBlock, kEnd, kError };

  // Connects to host (dotted address or name) and port, waiting at most
  // iTimeoutMs for the outcome.
  static std::unique_ptr<TcpStreamSocket> Connect(const std::wstring& host, int iPort,
                                                  int iTimeoutMs, int& iError);
  // Listens on all local IPv4 addresses; port 0 picks a free port.
  static std::unique_ptr<TcpStreamSocket> Listen(int iPort, int iBacklog, int& iError);

  ~TcpStreamSocket();
  TcpStreamSocket(const TcpStreamSocket&) = delete;
  TcpStreamSocket& operator=(const TcpStreamSocket&) = delete;

  // Takes one waiting connection; null when none waits or on failure.
  std::unique_ptr<TcpStreamSocket> Accept(int& iError);

  int Fd() const { return m_fd.Get(); }
  ReadStatus Read(BYTE* pData, std::size_t uiCapacity, std::size_t& uiRead, int& iError);
  // Writes every byte, waiting at most iTimeoutMs for room whenever the
  // socket's send buffer is full.
  bool WriteAll(const BYTE* pData, std::size_t uiLength, int iTimeoutMs, int& iError);
  // Writes what the send buffer takes now (uiWritten, maybe 0); false on an
  // error of the connection.
  bool WriteSome(const BYTE* pData, std::size_t uiLength, std::size_t& uiWritten, int& iError);
  void ShutdownSend();
  bool LocalAddress(std::wstring& address, int& iPort) const;

 private:
  explicit TcpStreamSocket(SocketHandle fd) : m_fd(std::move(fd)) {}
  SocketHandle m_fd;
};

}  // namespace corvane::platform
