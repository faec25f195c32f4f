#pragma once
// IPv4 socket operations of corvane's sockets. Every call sets the calling
// thread's last error (corvane::GetLastError) in the socket numbering when it
// fails. Descriptors are opened close-on-exec.
#include <corvane/CorvaneTypes.h>

#include <cstddef>
#include <string>

#include "platform/Ipv4Endpoint.h"
#include "platform/SocketHandle.h"

namespace corvane::platform {

enum class SocketKind { kStream, kDatagram };

SocketHandle OpenSocket(SocketKind kind);
bool Bind(int fd, const Ipv4Endpoint& local);
bool LocalEndpoint(int fd, Ipv4Endpoint& local);
bool SetBroadcast(int fd, bool enable);
// Makes every received datagram carry the index of the interface it
// arrived on (IP_PKTINFO).
bool EnableArrivalInterface(int fd);
// Asks for a receive buffer of this size; the kernel caps it at its maximum.
bool SetReceiveBufferSize(int fd, int bytes);
int ReceiveBufferSize(int fd);

// A dotted address or a host name (first IPv4 address) to a number.
bool ResolveIpv4(const std::string& host, DWORD& address);

enum class ConnectStart { kConnected, kPending, kFailed };
// Starts a connect without waiting; kPending when it is under way.
ConnectStart StartConnect(int fd, const Ipv4Endpoint& remote);
// After the socket became writable: true when the pending connect succeeded.
bool FinishConnect(int fd);

// Non-blocking reads. They return the byte count or -1 (last error set; a
// read that would block gives error::kWouldBlock).
long ReceiveStream(int fd, void* buffer, std::size_t length);
// The datagram's full length is returned even when it did not fit; then
// truncated is true and only `length` bytes were stored.
long ReceiveDatagram(int fd, void* buffer, std::size_t length, Ipv4Endpoint& from, bool& truncated);

// One datagram of a batch read: where to store it, and what came.
struct DatagramSlot {
  void* buffer = nullptr;
  std::size_t capacity = 0;
  std::size_t length = 0;  // the datagram's full length, even when truncated
  bool truncated = false;
  Ipv4Endpoint from;
  // Index of the interface it arrived on; 0 unless EnableArrivalInterface
  // was called on the socket.
  unsigned arrivalInterface = 0;
};
// Reads up to `count` waiting datagrams in one call, without waiting.
// Returns how many were read, or -1 with the last error set (none waiting
// gives error::kWouldBlock).
int ReceiveDatagrams(int fd, DatagramSlot* slots, int count);

// Sends; they return the byte count or -1 with the last error set. A closed
// peer gives an error, never a signal.
long SendStream(int fd, const void* buffer, std::size_t length);
long SendDatagram(int fd, const void* buffer, std::size_t length, const Ipv4Endpoint& to);
// The same, leaving through the interface with this index from `source`,
// whatever the routing table would choose (IP_PKTINFO; no privilege needed).
long SendDatagramVia(int fd, const void* buffer, std::size_t length, const Ipv4Endpoint& to,
                     unsigned interfaceIndex, DWORD source);

// Datagrams the kernel dropped at this UDP socket since it was opened (its
// drop counter in /proc/net/udp); false when the system does not tell.
bool DroppedDatagrams(int fd, DWORD& drops);

}  // namespace corvane::platform
