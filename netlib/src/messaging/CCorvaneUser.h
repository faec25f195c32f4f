#pragma once
// One connected user of a server: its id and its connection. The value does
// not own the socket; the user manager does.
#include <cstdint>

namespace corvane::detail {

class CCorvaneServerSocket;

class CCorvaneUser {
 public:
  CCorvaneUser() = default;
  CCorvaneUser(std::int32_t lId, CCorvaneServerSocket* pSocket) : m_lId(lId), m_pSocket(pSocket) {}
  virtual ~CCorvaneUser() = default;
  CCorvaneUser(const CCorvaneUser&) = default;
  CCorvaneUser& operator=(const CCorvaneUser&) = default;

  bool operator==(const CCorvaneUser& other) const {
    return m_lId == other.m_lId && m_pSocket == other.m_pSocket;
  }

  std::int32_t m_lId = 0;  // 0: no user
  CCorvaneServerSocket* m_pSocket = nullptr;
};

}  // namespace corvane::detail
