#pragma once
// Socket error codes reported by corvane's sockets and transports. They keep
// the Windows-socket numbering that programs of this family test for, on
// every platform; the platform layer translates the system's own codes.
#include <corvane/CorvaneTypes.h>

namespace corvane::error {

inline constexpr DWORD kNone = 0;
inline constexpr DWORD kInterrupted = 10004;
inline constexpr DWORD kBadHandle = 10009;
inline constexpr DWORD kAccessDenied = 10013;
inline constexpr DWORD kBadAddress = 10014;
inline constexpr DWORD kInvalidArgument = 10022;
inline constexpr DWORD kTooManyOpenSockets = 10024;
inline constexpr DWORD kWouldBlock = 10035;
inline constexpr DWORD kInProgress = 10036;  // a blocking call is already running
inline constexpr DWORD kAlready = 10037;
inline constexpr DWORD kNotSocket = 10038;
inline constexpr DWORD kDestinationRequired = 10039;
inline constexpr DWORD kMessageSize = 10040;  // datagram larger than the buffer
inline constexpr DWORD kProtocolType = 10041;
inline constexpr DWORD kNoProtocolOption = 10042;
inline constexpr DWORD kProtocolNotSupported = 10043;
inline constexpr DWORD kSocketTypeNotSupported = 10044;
inline constexpr DWORD kOperationNotSupported = 10045;
inline constexpr DWORD kProtocolFamilyNotSupported = 10046;
inline constexpr DWORD kAddressFamilyNotSupported = 10047;
inline constexpr DWORD kAddressInUse = 10048;
inline constexpr DWORD kAddressNotAvailable = 10049;
inline constexpr DWORD kNetworkDown = 10050;
inline constexpr DWORD kNetworkUnreachable = 10051;
inline constexpr DWORD kNetworkReset = 10052;
inline constexpr DWORD kConnectionAborted = 10053;
inline constexpr DWORD kConnectionReset = 10054;
inline constexpr DWORD kNoBufferSpace = 10055;
inline constexpr DWORD kIsConnected = 10056;
inline constexpr DWORD kNotConnected = 10057;
inline constexpr DWORD kShutdown = 10058;
inline constexpr DWORD kTooManyReferences = 10059;
inline constexpr DWORD kTimedOut = 10060;
inline constexpr DWORD kConnectionRefused = 10061;
inline constexpr DWORD kLoop = 10062;
inline constexpr DWORD kNameTooLong = 10063;
inline constexpr DWORD kHostDown = 10064;
inline constexpr DWORD kHostUnreachable = 10065;
inline constexpr DWORD kDisconnected = 10101;  // the peer closed the connection
inline constexpr DWORD kHostNotFound = 11001;
inline constexpr DWORD kTryAgain = 11002;
inline constexpr DWORD kNoRecovery = 11003;
inline constexpr DWORD kNoData = 11004;

}  // namespace corvane::error
