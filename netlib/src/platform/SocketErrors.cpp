#include "platform/SocketErrors.h"

#include <corvane/CorvaneErrors.h>
#include <corvane/LastError.h>
#include <netdb.h>

#include <cerrno>
#include <utility>

namespace corvane::platform {
namespace {

struct ErrnoCode {
  int errnoValue;
  DWORD code;
};

// errno -> socket error code. EAGAIN and EWOULDBLOCK are the same value on
// Linux; EINPROGRESS from a non-blocking connect means "would block" here, as
// the pending connect does on the platform whose numbering we keep.
constexpr ErrnoCode kErrnoTable[] = {
    {0, error::kNone},
    {EINTR, error::kInterrupted},
    {EBADF, error::kBadHandle},
    {EACCES, error::kAccessDenied},
    {EPERM, error::kAccessDenied},
    {EFAULT, error::kBadAddress},
    {EINVAL, error::kInvalidArgument},
    {EMFILE, error::kTooManyOpenSockets},
    {ENFILE, error::kTooManyOpenSockets},
    {EAGAIN, error::kWouldBlock},
    {EINPROGRESS, error::kWouldBlock},
    {EALREADY, error::kAlready},
    {ENOTSOCK, error::kNotSocket},
    {EDESTADDRREQ, error::kDestinationRequired},
    {EMSGSIZE, error::kMessageSize},
    {EPROTOTYPE, error::kProtocolType},
    {ENOPROTOOPT, error::kNoProtocolOption},
    {EPROTONOSUPPORT, error::kProtocolNotSupported},
    {ESOCKTNOSUPPORT, error::kSocketTypeNotSupported},
    {EOPNOTSUPP, error::kOperationNotSupported},
    {EPFNOSUPPORT, error::kProtocolFamilyNotSupported},
    {EAFNOSUPPORT, error::kAddressFamilyNotSupported},
    {EADDRINUSE, error::kAddressInUse},
    {EADDRNOTAVAIL, error::kAddressNotAvailable},
    {ENETDOWN, error::kNetworkDown},
    {ENETUNREACH, error::kNetworkUnreachable},
    {ENETRESET, error::kNetworkReset},
    {ECONNABORTED, error::kConnectionAborted},
    {ECONNRESET, error::kConnectionReset},
    {EPIPE, error::kConnectionReset},
    {ENOBUFS, error::kNoBufferSpace},
    {ENOMEM, error::kNoBufferSpace},
    {EISCONN, error::kIsConnected},
    {ENOTCONN, error::kNotConnected},
    {ESHUTDOWN, error::kShutdown},
    {ETOOMANYREFS, error::kTooManyReferences},
    {ETIMEDOUT, error::kTimedOut},
    {ECONNREFUSED, error::kConnectionRefused},
    {ELOOP, error::kLoop},
    {ENAMETOOLONG, error::kNameTooLong},
    {EHOSTDOWN, error::kHostDown},
    {EHOSTUNREACH, error::kHostUnreachable},
};

}  // namespace

DWORD TranslateErrno(int errnoValue) {
  for (const ErrnoCode& entry : kErrnoTable) {
    if (entry.errnoValue == errnoValue) return entry.code;
  }
  return static_cast<DWORD>(errnoValue);
}

DWORD TranslateResolverError(int resolverResult, int errnoValue) {
  switch (resolverResult) {
    case 0:
      return error::kNone;
    case EAI_AGAIN:
      return error::kTryAgain;
    case EAI_FAIL:
      return error::kNoRecovery;
    case EAI_NONAME:
      return error::kHostNotFound;
#ifdef EAI_NODATA
    case EAI_NODATA:
      return error::kNoData;
#endif
    case EAI_MEMORY:
      return error::kNoBufferSpace;
    case EAI_FAMILY:
      return error::kAddressFamilyNotSupported;
    case EAI_SYSTEM:
      return TranslateErrno(errnoValue);
    default:
      return error::kHostNotFound;
  }
}

DWORD SetLastErrorFromErrno() {
  const DWORD code = TranslateErrno(errno);
  corvane::SetLastError(code);
  return code;
}

}  // namespace corvane::platform
