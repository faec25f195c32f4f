#include "platform/SocketApi.h"

#include <arpa/inet.h>
#include <corvane/LastError.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cerrno>
#include <charconv>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/SocketErrors.h"

namespace corvane::platform {
namespace {

sockaddr_in ToSockaddr(const Ipv4Endpoint& endpoint) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(endpoint.address);
  address.sin_port = htons(endpoint.port);
  return address;
}

Ipv4Endpoint FromSockaddr(const sockaddr_in& address) {
  return {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

// Room for the one control message the sockets use: IP_PKTINFO.
union PacketInfoControl {
  char bytes[CMSG_SPACE(sizeof(in_pktinfo))];
  cmsghdr align;
};

unsigned ArrivalInterface(msghdr& message) {
  for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
    if (c->cmsg_level != IPPROTO_IP || c->cmsg_type != IP_PKTINFO) continue;
    in_pktinfo info{};
    std::memcpy(&info, CMSG_DATA(c), sizeof info);
    return info.ipi_ifindex > 0 ? static_cast<unsigned>(info.ipi_ifindex) : 0;
  }
  return 0;
}

long Failed() {
  SetLastErrorFromErrno();
  return -1;
}

bool SetIntOption(int fd, int level, int name, int value) {
  if (::setsockopt(fd, level, name, &value, sizeof value) == 0) return true;
  SetLastErrorFromErrno();
  return false;
}

}  // namespace

SocketHandle OpenSocket(SocketKind kind) {
  const int type = kind == SocketKind::kStream ? SOCK_STREAM : SOCK_DGRAM;
  SocketHandle handle(::socket(AF_INET, type | SOCK_CLOEXEC, 0));
  if (!handle.IsValid()) SetLastErrorFromErrno();
  return handle;
}

bool Bind(int fd, const Ipv4Endpoint& local) {
  const sockaddr_in address = ToSockaddr(local);
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) return true;
  SetLastErrorFromErrno();
  return false;
}

bool LocalEndpoint(int fd, Ipv4Endpoint& local) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  if (::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    SetLastErrorFromErrno();
    return false;
  }
  local = FromSockaddr(address);
  return true;
}

bool SetBroadcast(int fd, bool enable) {
  return SetIntOption(fd, SOL_SOCKET, SO_BROADCAST, enable ? 1 : 0);
}

bool EnableArrivalInterface(int fd) { return SetIntOption(fd, IPPROTO_IP, IP_PKTINFO, 1); }

bool SetReceiveBufferSize(int fd, int bytes) {
  return SetIntOption(fd, SOL_SOCKET, SO_RCVBUF, bytes);
}

int ReceiveBufferSize(int fd) {
  int value = 0;
  socklen_t length = sizeof value;
  if (::getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &value, &length) != 0) return Failed();
  return value;
}

bool ResolveIpv4(const std::string& host, DWORD& address) {
  in_addr numeric{};
  if (::inet_pton(AF_INET, host.c_str(), &numeric) == 1) {
    address = ntohl(numeric.s_addr);
    return true;
  }
  addrinfo hints{};
  hints.ai_family = AF_INET;
  hints.ai_socktype = SOCK_DGRAM;
  addrinfo* found = nullptr;
  const int result = ::getaddrinfo(host.c_str(), nullptr, &hints, &found);
  if (result != 0 || found == nullptr) {
    corvane::SetLastError(TranslateResolverError(result == 0 ? EAI_NONAME : result, errno));
    return false;
  }
  address = ntohl(reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr.s_addr);
  ::freeaddrinfo(found);
  return true;
}

ConnectStart StartConnect(int fd, const Ipv4Endpoint& remote) {
  const sockaddr_in address = ToSockaddr(remote);
  // A non-blocking connect: the descriptor is switched for the call only.
  const int previous = ::fcntl(fd, F_GETFL);
  if (previous < 0 || ::fcntl(fd, F_SETFL, previous | O_NONBLOCK) < 0) {
    SetLastErrorFromErrno();
    return ConnectStart::kFailed;
  }
  const int result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  const int connectErrno = errno;
  ::fcntl(fd, F_SETFL, previous);
  if (result == 0) return ConnectStart::kConnected;
  errno = connectErrno;
  SetLastErrorFromErrno();
  return connectErrno == EINPROGRESS ? ConnectStart::kPending : ConnectStart::kFailed;
}

bool FinishConnect(int fd) {
  int pending = 0;
  socklen_t length = sizeof pending;
  if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &pending, &length) != 0) {
    SetLastErrorFromErrno();
    return false;
  }
  if (pending == 0) return true;
  corvane::SetLastError(TranslateErrno(pending));
  return false;
}

long ReceiveStream(int fd, void* buffer, std::size_t length) {
  for (;;) {
    const ssize_t received = ::recv(fd, buffer, length, MSG_DONTWAIT);
    if (received >= 0) return received;
    if (errno != EINTR) return Failed();
  }
}

long ReceiveDatagram(int fd, void* buffer, std::size_t length, Ipv4Endpoint& from,
                     bool& truncated) {
  sockaddr_in sender{};
  iovec part{buffer, length};
  msghdr message{};
  message.msg_name = &sender;
  message.msg_namelen = sizeof sender;
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  for (;;) {
    // MSG_TRUNC makes the kernel report the datagram's real length.
    const ssize_t size = ::recvmsg(fd, &message, MSG_DONTWAIT | MSG_TRUNC);
    if (size >= 0) {
      truncated = (message.msg_flags & MSG_TRUNC) != 0;
      from = FromSockaddr(sender);
      return size;
    }
    if (errno != EINTR) return Failed();
  }
}

int ReceiveDatagrams(int fd, DatagramSlot* slots, int count) {
  constexpr int kMaxBatch = 64;
  count = count < kMaxBatch ? count : kMaxBatch;
  sockaddr_in senders[kMaxBatch]{};
  iovec parts[kMaxBatch];
  mmsghdr messages[kMaxBatch]{};
  PacketInfoControl controls[kMaxBatch];
  for (int i = 0; i < count; ++i) {
    parts[i] = iovec{slots[i].buffer, slots[i].capacity};
    messages[i].msg_hdr.msg_name = &senders[i];
    messages[i].msg_hdr.msg_namelen = sizeof senders[i];
    messages[i].msg_hdr.msg_iov = &parts[i];
    messages[i].msg_hdr.msg_iovlen = 1;
    messages[i].msg_hdr.msg_control = controls[i].bytes;
    messages[i].msg_hdr.msg_controllen = sizeof controls[i].bytes;
  }
  for (;;) {
    // MSG_TRUNC makes the kernel report each datagram's real length.
    const int got = ::recvmmsg(fd, messages, static_cast<unsigned>(count), MSG_DONTWAIT | MSG_TRUNC,
                               nullptr);
    if (got >= 0) {
      for (int i = 0; i < got; ++i) {
        slots[i].length = messages[i].msg_len;
        slots[i].truncated = (messages[i].msg_hdr.msg_flags & MSG_TRUNC) != 0;
        slots[i].from = FromSockaddr(senders[i]);
        slots[i].arrivalInterface = ArrivalInterface(messages[i].msg_hdr);
      }
      return got;
    }
    if (errno != EINTR) return static_cast<int>(Failed());
  }
}

long SendStream(int fd, const void* buffer, std::size_t length) {
  for (;;) {
    const ssize_t sent = ::send(fd, buffer, length, MSG_NOSIGNAL);
    if (sent >= 0) return sent;
    if (errno != EINTR) return Failed();
  }
}

long SendDatagram(int fd, const void* buffer, std::size_t length, const Ipv4Endpoint& to) {
  const sockaddr_in address = ToSockaddr(to);
  for (;;) {
    const ssize_t sent = ::sendto(fd, buffer, length, MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&address), sizeof address);
    if (sent >= 0) return sent;
    if (errno != EINTR) return Failed();
  }
}

long SendDatagramVia(int fd, const void* buffer, std::size_t length, const Ipv4Endpoint& to,
                     unsigned interfaceIndex, DWORD source) {
  sockaddr_in address = ToSockaddr(to);
  iovec part{const_cast<void*>(buffer), length};
  PacketInfoControl control{};
  msghdr message{};
  message.msg_name = &address;
  message.msg_namelen = sizeof address;
  message.msg_iov = &part;
  message.msg_iovlen = 1;
  message.msg_control = control.bytes;
  message.msg_controllen = sizeof control.bytes;
  cmsghdr* c = CMSG_FIRSTHDR(&message);
  c->cmsg_level = IPPROTO_IP;
  c->cmsg_type = IP_PKTINFO;
  c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
  in_pktinfo info{};
  info.ipi_ifindex = static_cast<int>(interfaceIndex);
  info.ipi_spec_dst.s_addr = htonl(source);
  std::memcpy(CMSG_DATA(c), &info, sizeof info);
  for (;;) {
    const ssize_t sent = ::sendmsg(fd, &message, MSG_NOSIGNAL);
    if (sent >= 0) return sent;
    if (errno != EINTR) return Failed();
  }
}

bool DroppedDatagrams(int fd, DWORD& drops) {
  struct stat st{};
  if (::fstat(fd, &st) != 0) return false;
  std::ifstream table("/proc/net/udp");
  std::string line;
  std::getline(table, line);  // header
  while (std::getline(table, line)) {
    // sl local remote st queues timer retrnsmt uid timeout inode ref pointer drops
    std::istringstream fields(line);
    std::string field[13];
    int n = 0;
    while (n < 13 && fields >> field[n]) ++n;
    if (n < 13 || field[9] != std::to_string(st.st_ino)) continue;
    const std::string& text = field[12];
    unsigned long value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return false;
    drops = static_cast<DWORD>(value);
    return true;
  }
  return false;
}

}  // namespace corvane::platform
