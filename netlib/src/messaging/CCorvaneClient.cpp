#include <corvane/CCorvaneClient.h>

#include "messaging/CCorvaneClientSocket.h"
#include "messaging/ControlMessages.h"
#include "messaging/TickCount.h"

using namespace corvane::detail;

CCorvaneClient::CCorvaneClient() = default;

CCorvaneClient::CCorvaneClient(CCorvaneEventLoop& loop) : m_pLoop(&loop) {}

CCorvaneClient::~CCorvaneClient() {
  // No notification from here: the derived part is already gone.
  if (m_pSocket && m_pSocket->Stream() != nullptr) {
    CCorvaneMessage closing(kClientClosing);
    bool bRefused = false;
    m_pSocket->Stream()->Send(closing, bRefused);
  }
  CleanUp();
}

BOOL CCorvaneClient::OpenConnection(const std::wstring& strServer, std::int32_t lPort) {
  CloseConnection();
  int error = 0;
  auto socket = corvane::platform::TcpStreamSocket::Connect(strServer, lPort, kConnectTimeoutMs, error);
  if (!socket) return 0;
  CCorvaneEventLoop& loop = m_pLoop != nullptr ? *m_pLoop : CCorvaneEventLoop::Current();
  m_pSocket = std::make_unique<CCorvaneClientSocket>(*this, loop);
  if (!m_pSocket->AttachConnection(std::move(socket))) {
    CleanUp();
    return 0;
  }
  return 1;
}

void CCorvaneClient::CloseConnection() {
  if (m_pSocket) {
    CCorvaneMessage closing(kClientClosing);
    SendMessageToServer(closing);
  }
  CloseConnection(CCD_CLOSED_BY_CLIENT);
}

void CCorvaneClient::CloseConnection(CorvaneClientDisconnection reason) {
  bool bHadSocket = m_pSocket != nullptr;
  CleanUp();
  if (bHadSocket) OnDisconnected(reason);
}

void CCorvaneClient::CleanUp() {
  if (m_pSocket) m_pSocket->CloseStreams();
  m_pSocket.reset();
}

BOOL CCorvaneClient::SendMessageToServer(CCorvaneMessage& msg) {
  if (!m_pSocket || m_pSocket->Stream() == nullptr) return 0;
  bool bRefused = false;
  if (m_pSocket->Stream()->Send(msg, bRefused)) return 1;
  if (!bRefused) CloseConnection(CCD_SEND_FAILED);
  return 0;
}

BOOL CCorvaneClient::PingServer() {
  CCorvaneMessage ping(kClientPing);
  ping.Add(static_cast<long>(static_cast<std::int32_t>(TickCount())));
  return SendMessageToServer(ping);
}

BOOL CCorvaneClient::IsConnected() const { return m_pSocket ? 1 : 0; }

BOOL CCorvaneClient::GetIpAndPort(std::wstring& strIp, std::int32_t& lPort) const {
  if (!m_pSocket) return 0;
  std::wstring ip;
  int port = 0;
  if (!m_pSocket->Socket()->LocalAddress(ip, port)) return 0;
  strIp = ip;
  lPort = port;
  return 1;
}

void CCorvaneClient::OnPing(std::int32_t /*lMilliseconds*/) {}

void CCorvaneClient::FailReceive() {
  if (m_pSocket && m_pSocket->Stream() != nullptr) m_pSocket->Stream()->AbortOutput();
  CloseConnection(CCD_RECEIVE_FAILED);
}

void CCorvaneClient::ProcessPendingRead(int iError) {
  if (iError != 0) {
    FailReceive();
    return;
  }
  // Every whole message in the buffer, in order, for as long as the
  // connection lasts; an incomplete one waits for its remaining bytes.
  while (m_pSocket) {
    CCorvaneMessage msg;
    MessageStream::Next next = m_pSocket->Stream()->TakeMessage(msg);
    if (next == MessageStream::Next::kIncomplete) return;
    if (next == MessageStream::Next::kMalformed) {
      FailReceive();
      return;
    }
    TranslateMessage(msg);
  }
}

void CCorvaneClient::TranslateMessage(CCorvaneMessage& msg) {
  switch (msg.GetId()) {
    case kServerDisconnects:
      CloseConnection(CCD_DISCONNECTED_BY_SERVER);
      break;
    case kServerPing:
      SendMessageToServer(msg);
      break;
    case kClientPing: {
      long sent = 0;
      msg.GetAt(0, sent);
      OnPing(static_cast<std::int32_t>(TickCount() - static_cast<DWORD>(sent)));
      break;
    }
    case kServerStopping:
      CloseConnection(CCD_SERVER_STOPPED);
      break;
    default:
      OnMessageReceived(msg);
      break;
  }
}
