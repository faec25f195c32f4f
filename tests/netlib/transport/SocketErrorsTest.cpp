#include "platform/SocketErrors.h"

#include <corvane/CorvaneErrors.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <netdb.h>

namespace {

namespace error = corvane::error;
using corvane::platform::TranslateErrno;
using corvane::platform::TranslateResolverError;

struct ErrnoCase {
  int errnoValue;
  DWORD expected;
};

class SocketErrorTable : public ::testing::TestWithParam<ErrnoCase> {};

TEST_P(SocketErrorTable, TranslatesToSocketNumbering) {
  EXPECT_EQ(TranslateErrno(GetParam().errnoValue), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Errno, SocketErrorTable,
    ::testing::Values(ErrnoCase{EAGAIN, error::kWouldBlock}, ErrnoCase{EWOULDBLOCK, error::kWouldBlock},
                      ErrnoCase{EINPROGRESS, error::kWouldBlock},
                      ErrnoCase{EMSGSIZE, error::kMessageSize},
                      ErrnoCase{ECONNREFUSED, error::kConnectionRefused},
                      ErrnoCase{ETIMEDOUT, error::kTimedOut},
                      ErrnoCase{EADDRINUSE, error::kAddressInUse},
                      ErrnoCase{EACCES, error::kAccessDenied},
                      ErrnoCase{ENOTSOCK, error::kNotSocket},
                      ErrnoCase{EHOSTUNREACH, error::kHostUnreachable},
                      ErrnoCase{EPIPE, error::kConnectionReset},
                      ErrnoCase{0, error::kNone},
                      // No socket meaning: the number is passed through.
                      ErrnoCase{ENOENT, static_cast<DWORD>(ENOENT)}));

TEST(SocketErrorTable, ResolverFailuresUseHostCodes) {
  EXPECT_EQ(TranslateResolverError(EAI_NONAME, 0), error::kHostNotFound);
  EXPECT_EQ(TranslateResolverError(EAI_AGAIN, 0), error::kTryAgain);
  EXPECT_EQ(TranslateResolverError(EAI_SYSTEM, ECONNREFUSED), error::kConnectionRefused);
}

}  // namespace
