#pragma once
// The one place where the system's error numbers become corvane's socket
// error codes (<corvane/CorvaneErrors.h>).
#include <corvane/CorvaneTypes.h>

namespace corvane::platform {

// The socket error code for a system error number. Numbers without a socket
// meaning are passed through unchanged (they stay below 10000).
DWORD TranslateErrno(int errnoValue);

// The socket error code for a failed host-name look-up (getaddrinfo result).
DWORD TranslateResolverError(int resolverResult, int errnoValue);

// Translates errno, stores it as the calling thread's last error, returns it.
DWORD SetLastErrorFromErrno();

}  // namespace corvane::platform
