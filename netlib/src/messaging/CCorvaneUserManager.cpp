#include "messaging/CCorvaneUserManager.h"

#include <algorithm>

namespace corvane::detail {

CCorvaneUserManager::~CCorvaneUserManager() { RemoveAllUsers(); }

std::int32_t CCorvaneUserManager::AddUser(std::unique_ptr<CCorvaneServerSocket> pSocket) {
  ++m_lLastId;
  CCorvaneServerSocket* raw = pSocket.get();
  m_listUsers.push_back(Entry{CCorvaneUser(m_lLastId, raw), std::move(pSocket)});
  return m_lLastId;
}

CCorvaneUser CCorvaneUserManager::FindUserById(std::int32_t lId) const {
  for (const Entry& e : m_listUsers) {
    if (e.user.m_lId == lId) return e.user;
  }
  return {};
}

CCorvaneUser CCorvaneUserManager::FindUserBySocket(const CCorvaneServerSocket* pSocket) const {
  for (const Entry& e : m_listUsers) {
    if (e.user.m_pSocket == pSocket) return e.user;
  }
  return {};
}

void CCorvaneUserManager::CloseConnection(Entry& entry) {
  entry.pSocket->CloseStreams();
  entry.pSocket->Socket()->ShutdownSend();
  entry.pSocket.reset();
}

int CCorvaneUserManager::RemoveUser(std::int32_t lId) {
  if (lId <= 0) return 0;
  auto it = std::find_if(m_listUsers.begin(), m_listUsers.end(),
                         [lId](const Entry& e) { return e.user.m_lId == lId; });
  if (it == m_listUsers.end()) return 0;
  CloseConnection(*it);
  m_listUsers.erase(it);
  return 1;
}

bool CCorvaneUserManager::Write(CCorvaneServerSocket& socket, CCorvaneMessage& msg) {
  MessageStream* stream = socket.Stream();
  bool bRefused = false;
  if (stream != nullptr && stream->Send(msg, bRefused) && socket.SendPending()) return true;
  socket.CloseStreams();
  return false;
}

int CCorvaneUserManager::SendMessageToUser(std::int32_t lId, CCorvaneMessage& msg) {
  CCorvaneUser user = FindUserById(lId);
  if (user.m_lId <= 0) return 0;
  if (Write(*user.m_pSocket, msg)) return 1;
  RemoveUser(lId);
  return 0;
}

int CCorvaneUserManager::SendMessageToAllUsersExceptFor(const std::vector<std::int32_t>& excluded,
                                                        CCorvaneMessage& msg,
                                                        std::vector<std::int32_t>& failed) {
  for (Entry& e : m_listUsers) {
    if (std::find(excluded.begin(), excluded.end(), e.user.m_lId) != excluded.end()) continue;
    if (!Write(*e.pSocket, msg)) failed.push_back(e.user.m_lId);
  }
  for (std::int32_t lId : failed) RemoveUser(lId);
  return failed.empty() ? 1 : 0;
}

int CCorvaneUserManager::ReadMessages(CCorvaneServerSocket& socket, int iError, std::int32_t& lId,
                                      std::vector<CCorvaneMessage>& messages) {
  lId = FindUserBySocket(&socket).m_lId;
  // The socket has already moved what arrived into the stream's buffer.
  MessageStream* stream = socket.Stream();
  if (iError != 0 || lId == 0 || stream == nullptr) return 0;
  for (;;) {
    CCorvaneMessage msg;
    MessageStream::Next next = stream->TakeMessage(msg);
    if (next == MessageStream::Next::kIncomplete) return 1;
    if (next == MessageStream::Next::kMalformed) return 0;
    messages.push_back(std::move(msg));
  }
}

void CCorvaneUserManager::RemoveAllUsers() {
  for (Entry& e : m_listUsers) CloseConnection(e);
  m_listUsers.clear();
}

void CCorvaneUserManager::GetUserIds(std::vector<std::int32_t>& ids) const {
  ids.clear();
  for (const Entry& e : m_listUsers) ids.push_back(e.user.m_lId);
}

}  // namespace corvane::detail
