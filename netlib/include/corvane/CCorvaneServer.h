#pragma once
// The accepting side of the message framework. It listens on a TCP port,
// accepts clients as users numbered 1, 2, 3, ... (ids are never reused by one
// server object), answers the framework's control messages and hands every
// other message to the application. Derive from it and implement the
// notifications. Everything happens on the thread that started listening: its
// event loop (the loop given to the constructor, else that thread's current
// loop) must run. Messages larger than CCorvaneMessage::kMaxWireSize, or
// with more than kMaxElements elements, are neither sent nor accepted.
#include <corvane/CCorvaneEventLoop.h>
#include <corvane/CCorvaneMessage.h>
#include <corvane/CorvaneServerDisconnection.h>
#include <corvane/CorvaneTypes.h>
#include <corvane/corvane_export.h>

#include <cstdint>
#include <memory>
#include <vector>

namespace corvane::detail {
class CCorvaneServerSocket;
class CCorvaneUserManager;
}  // namespace corvane::detail

class CORVANE_EXPORT CCorvaneServer {
 public:
  CCorvaneServer();
  explicit CCorvaneServer(CCorvaneEventLoop& loop);
  CCorvaneServer(const CCorvaneServer&) = delete;
  CCorvaneServer& operator=(const CCorvaneServer&) = delete;
  // Stops as Stop does, without notifications.
  virtual ~CCorvaneServer();

  // Listens on all local IPv4 addresses. Port 0 picks a free port, which
  // GetPort then tells. 0 when already started or on failure.
  BOOL StartListening(std::int32_t lPort);
  // Sends -1 and then -5 to every user, drops them without notification and
  // stops listening.
  void Stop();
  BOOL IsStarted() const;
  std::int32_t GetPort() const { return m_lPort; }
  std::int64_t GetNbUsers() const;
  // The connected users' ids in order of acceptance.
  void GetUserIds(std::vector<std::int32_t>& ids) const;

  // Non-zero when written. A failed write (or an id that is not connected)
  // removes the user and calls OnUserDisconnected(id, CSD_SEND_FAILED). A
  // message too large for the wire is refused: 0, and nothing changes.
  BOOL SendMessageToUser(std::int32_t lUserId, CCorvaneMessage& msg);
  // SendMessageToUser for each id in order; always 1.
  BOOL SendMessageToSomeUsers(const std::vector<std::int32_t>& ids, CCorvaneMessage& msg);
  // Non-zero when every write succeeded; failed users are removed, then
  // announced with CSD_SEND_FAILED.
  BOOL SendMessageToAllUsers(CCorvaneMessage& msg);
  BOOL SendMessageToAllUsersExceptFor(const std::vector<std::int32_t>& excluded, CCorvaneMessage& msg);
  BOOL SendMessageToAllUsersExceptFor(std::int32_t lExcludedId, CCorvaneMessage& msg);
  // Sends -3 with the current tick count; OnPing reports the round trip.
  BOOL PingUser(std::int32_t lUserId);
  void PingAllUsers();
  // Sends -5, removes the user and announces CSD_DISCONNECTED_BY_SERVER.
  BOOL DisconnectUser(std::int32_t lUserId);
  // Sends -5 to every user and removes them all without announcing them.
  void DisconnectAllUsers();

 protected:
  // Asked for each incoming connection; non-zero accepts it.
  virtual BOOL CanAcceptUser() = 0;
  virtual void OnUserConnected(std::int32_t lUserId) = 0;
  // Every message whose id the server does not handle itself (all but -2,
  // -3 and -4).
  virtual void OnMessageReceived(std::int32_t lUserId, CCorvaneMessage& msg) = 0;
  virtual void OnUserDisconnected(std::int32_t lUserId, CorvaneServerDisconnection reason) = 0;
  // Round trip of a ping, in milliseconds.
  virtual void OnPing(std::int32_t lUserId, std::int32_t lMilliseconds);

 private:
  friend class corvane::detail::CCorvaneServerSocket;
  BOOL DisconnectUser(std::int32_t lUserId, CorvaneServerDisconnection reason);
  void ProcessPendingAccept(int iError);
  void ProcessPendingRead(corvane::detail::CCorvaneServerSocket& socket, int iError);
  // Bytes queued for a user could not be sent later: the user goes.
  void ProcessSendFailure(corvane::detail::CCorvaneServerSocket& socket);
  void TranslateMessage(std::int32_t lUserId, CCorvaneMessage& msg);
  void Shutdown(bool bNotify);

  std::int32_t m_lPort = -1;
  std::unique_ptr<corvane::detail::CCorvaneUserManager> m_pUserManager;
  std::unique_ptr<corvane::detail::CCorvaneServerSocket> m_pListeningSocket;
  CCorvaneEventLoop* m_pLoop = nullptr;
};
