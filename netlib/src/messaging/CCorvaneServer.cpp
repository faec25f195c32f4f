#include <corvane/CCorvaneServer.h>

#include "messaging/CCorvaneServerSocket.h"
#include "messaging/CCorvaneUserManager.h"
#include "messaging/ControlMessages.h"
#include "messaging/MessageFramer.h"
#include "messaging/TickCount.h"

using namespace corvane::detail;

namespace {

constexpr int kListenBacklog = 5;

}  // namespace

CCorvaneServer::CCorvaneServer() : m_pUserManager(std::make_unique<CCorvaneUserManager>()) {}

CCorvaneServer::CCorvaneServer(CCorvaneEventLoop& loop) : CCorvaneServer() { m_pLoop = &loop; }

CCorvaneServer::~CCorvaneServer() { Shutdown(false); }

BOOL CCorvaneServer::StartListening(std::int32_t lPort) {
  if (IsStarted()) return 0;
  m_lPort = lPort;
  int error = 0;
  auto socket = corvane::platform::TcpStreamSocket::Listen(lPort, kListenBacklog, error);
  if (!socket) return 0;
  CCorvaneEventLoop& loop = m_pLoop != nullptr ? *m_pLoop : CCorvaneEventLoop::Current();
  std::wstring address;
  int boundPort = lPort;
  socket->LocalAddress(address, boundPort);
  m_pListeningSocket = std::make_unique<CCorvaneServerSocket>(*this, loop);
  if (!m_pListeningSocket->AttachListener(std::move(socket))) {
    m_pListeningSocket.reset();
    return 0;
  }
  m_lPort = boundPort;
  return 1;
}

void CCorvaneServer::Stop() { Shutdown(true); }

void CCorvaneServer::Shutdown(bool bNotify) {
  CCorvaneMessage stopping(kServerStopping);
  if (bNotify) {
    if (IsStarted()) SendMessageToAllUsers(stopping);
    DisconnectAllUsers();
  } else {
    // From the destructor: the same bytes, but nobody left to tell.
    CCorvaneMessage disconnects(kServerDisconnects);
    std::vector<std::int32_t> failed;
    if (IsStarted()) m_pUserManager->SendMessageToAllUsersExceptFor({}, stopping, failed);
    m_pUserManager->SendMessageToAllUsersExceptFor({}, disconnects, failed);
    m_pUserManager->RemoveAllUsers();
  }
  m_pListeningSocket.reset();
  m_lPort = -1;
}

BOOL CCorvaneServer::IsStarted() const { return m_pListeningSocket ? 1 : 0; }

std::int64_t CCorvaneServer::GetNbUsers() const { return m_pUserManager->GetNbUsers(); }

void CCorvaneServer::GetUserIds(std::vector<std::int32_t>& ids) const {
  m_pUserManager->GetUserIds(ids);
}

BOOL CCorvaneServer::SendMessageToUser(std::int32_t lUserId, CCorvaneMessage& msg) {
  if (!FitsTheWire(msg)) return 0;
  if (m_pUserManager->SendMessageToUser(lUserId, msg)) return 1;
  OnUserDisconnected(lUserId, CSD_SEND_FAILED);
  return 0;
}

BOOL CCorvaneServer::SendMessageToSomeUsers(const std::vector<std::int32_t>& ids, CCorvaneMessage& msg) {
  for (std::int32_t lId : ids) SendMessageToUser(lId, msg);
  return 1;
}

BOOL CCorvaneServer::SendMessageToAllUsers(CCorvaneMessage& msg) {
  return SendMessageToAllUsersExceptFor(std::vector<std::int32_t>{}, msg);
}

BOOL CCorvaneServer::SendMessageToAllUsersExceptFor(const std::vector<std::int32_t>& excluded,
                                                    CCorvaneMessage& msg) {
  if (!FitsTheWire(msg)) return 0;
  std::vector<std::int32_t> failed;
  BOOL bAll = m_pUserManager->SendMessageToAllUsersExceptFor(excluded, msg, failed);
  for (std::int32_t lId : failed) OnUserDisconnected(lId, CSD_SEND_FAILED);
  return bAll;
}

BOOL CCorvaneServer::SendMessageToAllUsersExceptFor(std::int32_t lExcludedId, CCorvaneMessage& msg) {
  return SendMessageToAllUsersExceptFor(std::vector<std::int32_t>{lExcludedId}, msg);
}

namespace {

CCorvaneMessage ServerPing() {
  CCorvaneMessage ping(kServerPing);
  ping.Add(static_cast<long>(static_cast<std::int32_t>(TickCount())));
  return ping;
}

}  // namespace

BOOL CCorvaneServer::PingUser(std::int32_t lUserId) {
  CCorvaneMessage ping = ServerPing();
  return SendMessageToUser(lUserId, ping);
}

void CCorvaneServer::PingAllUsers() {
  CCorvaneMessage ping = ServerPing();
  SendMessageToAllUsers(ping);
}

BOOL CCorvaneServer::DisconnectUser(std::int32_t lUserId) {
  return DisconnectUser(lUserId, CSD_DISCONNECTED_BY_SERVER);
}

BOOL CCorvaneServer::DisconnectUser(std::int32_t lUserId, CorvaneServerDisconnection reason) {
  CCorvaneMessage disconnects(kServerDisconnects);
  if (!SendMessageToUser(lUserId, disconnects)) return 0;
  int removed = m_pUserManager->RemoveUser(lUserId);
  OnUserDisconnected(lUserId, reason);
  return removed;
}

void CCorvaneServer::DisconnectAllUsers() {
  CCorvaneMessage disconnects(kServerDisconnects);
  SendMessageToAllUsers(disconnects);
  m_pUserManager->RemoveAllUsers();
}

void CCorvaneServer::OnPing(std::int32_t /*lUserId*/, std::int32_t /*lMilliseconds*/) {}

void CCorvaneServer::ProcessPendingAccept(int iError) {
  if (iError != 0 || !m_pListeningSocket) return;
  int error = 0;
  auto connection = m_pListeningSocket->Socket()->Accept(error);
  if (!connection) return;
  auto socket = std::make_unique<CCorvaneServerSocket>(*this, m_pListeningSocket->Loop());
  bool bOk = socket->AttachConnection(std::move(connection));
  // A server never waits for one user: what a user's socket does not take
  // at once waits in its queue (see MessageStream).
  socket->QueueOutput();
  bOk = bOk && CanAcceptUser() != 0 && IsStarted();
  if (!bOk) return;  // the socket goes, and the connection with it
  std::int32_t lId = m_pUserManager->AddUser(std::move(socket));
  OnUserConnected(lId);
}

void CCorvaneServer::ProcessPendingRead(CCorvaneServerSocket& socket, int iError) {
  std::int32_t lId = 0;
  std::vector<CCorvaneMessage> messages;
  if (!m_pUserManager->ReadMessages(socket, iError, lId, messages)) {
    if (lId > 0) {
      DisconnectUser(lId, CSD_RECEIVE_FAILED);
    } else {
      socket.CloseStreams();  // not a user's: stop hearing from it
    }
    return;
  }
  // Collected first, dispatched afterwards: handlers may remove users.
  for (CCorvaneMessage& msg : messages) TranslateMessage(lId, msg);
}

void CCorvaneServer::ProcessSendFailure(CCorvaneServerSocket& socket) {
  const std::int32_t lId = m_pUserManager->FindUserBySocket(&socket).m_lId;
  if (lId <= 0) return;
  m_pUserManager->RemoveUser(lId);
  OnUserDisconnected(lId, CSD_SEND_FAILED);
}

void CCorvaneServer::TranslateMessage(std::int32_t lUserId, CCorvaneMessage& msg) {
  switch (msg.GetId()) {
    case kClientClosing:
      DisconnectUser(lUserId, CSD_CLOSED_BY_USER);
      break;
    case kServerPing: {
      long sent = 0;
      msg.GetAt(0, sent);
      OnPing(lUserId, static_cast<std::int32_t>(TickCount() - static_cast<DWORD>(sent)));
      break;
    }
    case kClientPing:
      SendMessageToUser(lUserId, msg);
      break;
    default:
      OnMessageReceived(lUserId, msg);
      break;
  }
}
