#pragma once
// Why a user left a message server.
#include <cstdint>

enum CorvaneServerDisconnection : std::int32_t {
  CSD_DISCONNECTED_BY_SERVER = 0,  // DisconnectUser
  CSD_CLOSED_BY_USER = 1,          // the user sent control message -4
  CSD_SEND_FAILED = 2,             // a write failed, or the id is not connected
  CSD_RECEIVE_FAILED = 3,          // a read failed, the stream ended, or the data was unusable
};
