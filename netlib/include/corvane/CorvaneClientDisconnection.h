#pragma once
// Why a message client's connection ended.
#include <cstdint>

enum CorvaneClientDisconnection : std::int32_t {
  CCD_CLOSED_BY_CLIENT = 0,        // CloseConnection, or OpenConnection on an open client
  CCD_DISCONNECTED_BY_SERVER = 1,  // control message -5
  CCD_SERVER_STOPPED = 2,          // control message -1
  CCD_SEND_FAILED = 3,             // a write to the server failed
  CCD_RECEIVE_FAILED = 4,          // a read failed, the stream ended, or the data was unusable
};
