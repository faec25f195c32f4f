#pragma once
// The connected users of a server, in order of acceptance, with the ids
// handed out so far. Owns the users' connections.
#include <corvane/CCorvaneMessage.h>

#include <cstdint>
#include <list>
#include <memory>
#include <vector>

#include "messaging/CCorvaneServerSocket.h"
#include "messaging/CCorvaneUser.h"

namespace corvane::detail {

class CCorvaneUserManager {
 public:
  CCorvaneUserManager() = default;
  CCorvaneUserManager(const CCorvaneUserManager&) = delete;
  CCorvaneUserManager& operator=(const CCorvaneUserManager&) = delete;
  virtual ~CCorvaneUserManager();

  std::int32_t AddUser(std::unique_ptr<CCorvaneServerSocket> pSocket);
  CCorvaneUser FindUserById(std::int32_t lId) const;
  CCorvaneUser FindUserBySocket(const CCorvaneServerSocket* pSocket) const;
  // Closes the user's connection and forgets it; 1 when it was listed.
  int RemoveUser(std::int32_t lId);
  // 1 when written; a user whose write failed is removed.
  int SendMessageToUser(std::int32_t lId, CCorvaneMessage& msg);
  // Writes to each user not excluded, in order; the ids whose write failed
  // go to failed, and those users are removed. 1 when none failed.
  int SendMessageToAllUsersExceptFor(const std::vector<std::int32_t>& excluded,
                                     CCorvaneMessage& msg, std::vector<std::int32_t>& failed);
  // Reads every whole message the socket's user has sent. 0 on failure
  // (unknown socket, platform error, failed read, unusable data).
  int ReadMessages(CCorvaneServerSocket& socket, int iError, std::int32_t& lId,
                   std::vector<CCorvaneMessage>& messages);
  void RemoveAllUsers();
  void GetUserIds(std::vector<std::int32_t>& ids) const;
  std::int64_t GetNbUsers() const { return static_cast<std::int64_t>(m_listUsers.size()); }

 private:
  struct Entry {
    CCorvaneUser user;
    std::unique_ptr<CCorvaneServerSocket> pSocket;
  };
  static bool Write(CCorvaneServerSocket& socket, CCorvaneMessage& msg);
  static void CloseConnection(Entry& entry);

  std::list<Entry> m_listUsers;
  std::int32_t m_lLastId = 0;
};

}  // namespace corvane::detail
