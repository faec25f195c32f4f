#include "UdpSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <cstring>

namespace printersim {

namespace {

// Answers per sendmmsg call; the kernel takes at most UIO_MAXIOV (1024).
constexpr std::size_t kChunk = 512;
// A larger send buffer lets a burst of answers go out in one pass.
constexpr int kSendBuffer = 4 * 1024 * 1024;
// How long a full send buffer may hold up the loop before answers are lost.
constexpr int kWritableWaitMs = 1000;

union ControlBuffer {
  char bytes[CMSG_SPACE(sizeof(in_pktinfo))];
  cmsghdr align;
};

sockaddr_in SocketAddress(Ipv4Address address, std::uint16_t port) {
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(port);
  sa.sin_addr.s_addr = htonl(address.value());
  return sa;
}

std::string Describe(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

std::optional<UdpSocket> UdpSocket::Bind(std::uint16_t port, std::string& error) {
  FileDescriptor fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0));
  if (!fd.valid()) {
    error = Describe("socket");
    return std::nullopt;
  }
  const int on = 1;
  if (setsockopt(fd.get(), IPPROTO_IP, IP_PKTINFO, &on, sizeof on) != 0) {
    error = Describe("IP_PKTINFO");
    return std::nullopt;
  }
  // Best effort: the kernel caps it at net.core.wmem_max.
  setsockopt(fd.get(), SOL_SOCKET, SO_SNDBUF, &kSendBuffer, sizeof kSendBuffer);
  const sockaddr_in any = SocketAddress(Ipv4Address(INADDR_ANY), port);
  if (bind(fd.get(), reinterpret_cast<const sockaddr*>(&any), sizeof any) != 0) {
    error = Describe(("cannot listen on port " + std::to_string(port)).c_str());
    return std::nullopt;
  }
  return UdpSocket(std::move(fd));
}

bool UdpSocket::IsLocalAddress(Ipv4Address address) {
  FileDescriptor fd(socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0));
  const sockaddr_in sa = SocketAddress(address, 0);
  return fd.valid() && bind(fd.get(), reinterpret_cast<const sockaddr*>(&sa), sizeof sa) == 0;
}

bool UdpSocket::Receive(Datagram& out) {
  sockaddr_in from{};
  iovec iov{receiveBuffer_.data(), receiveBuffer_.size()};
  ControlBuffer control{};
  msghdr msg{};
  msg.msg_name = &from;
  msg.msg_namelen = sizeof from;
  msg.msg_iov = &iov;
  msg.msg_iovlen = 1;
  msg.msg_control = control.bytes;
  msg.msg_controllen = sizeof control.bytes;
  ssize_t n;
  do {
    n = recvmsg(fd_.get(), &msg, MSG_DONTWAIT);
  } while (n < 0 && errno == EINTR);
  if (n < 0) return false;
  out.source = Ipv4Address(ntohl(from.sin_addr.s_addr));
  out.sourcePort = ntohs(from.sin_port);
  out.destination = Ipv4Address();
  for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c != nullptr; c = CMSG_NXTHDR(&msg, c)) {
    if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
      in_pktinfo info;
      std::memcpy(&info, CMSG_DATA(c), sizeof info);
      out.destination = Ipv4Address(ntohl(info.ipi_addr.s_addr));
    }
  }
  out.payload.assign(receiveBuffer_.data(), static_cast<std::size_t>(n));
  return true;
}

std::size_t UdpSocket::Send(std::span<const Datagram> datagrams, std::string& error) {
  std::size_t failed = 0;
  while (!datagrams.empty()) {
    const std::size_t count = std::min(kChunk, datagrams.size());
    failed += SendChunk(datagrams.first(count), error);
    datagrams = datagrams.subspan(count);
  }
  return failed;
}

std::size_t UdpSocket::SendChunk(std::span<const Datagram> chunk, std::string& error) {
  const std::size_t n = chunk.size();
  std::vector<mmsghdr> messages(n);
  std::vector<iovec> iovs(n);
  std::vector<sockaddr_in> targets(n);
  std::vector<ControlBuffer> controls(n);
  for (std::size_t i = 0; i < n; ++i) {
    const Datagram& d = chunk[i];
    targets[i] = SocketAddress(d.destination, d.destinationPort);
    iovs[i] = {const_cast<char*>(d.payload.data()), d.payload.size()};
    std::memset(&controls[i], 0, sizeof controls[i]);
    msghdr& msg = messages[i].msg_hdr;
    msg.msg_name = &targets[i];
    msg.msg_namelen = sizeof targets[i];
    msg.msg_iov = &iovs[i];
    msg.msg_iovlen = 1;
    msg.msg_control = controls[i].bytes;
    msg.msg_controllen = sizeof controls[i].bytes;
    cmsghdr* c = CMSG_FIRSTHDR(&msg);
    c->cmsg_level = IPPROTO_IP;
    c->cmsg_type = IP_PKTINFO;
    c->cmsg_len = CMSG_LEN(sizeof(in_pktinfo));
    in_pktinfo info{};
    info.ipi_spec_dst.s_addr = htonl(d.source.value());
    std::memcpy(CMSG_DATA(c), &info, sizeof info);
  }
  std::size_t failed = 0;
  for (std::size_t done = 0; done < n;) {
    const int sent = sendmmsg(fd_.get(), messages.data() + done, n - done, 0);
    if (sent > 0) {
      done += static_cast<std::size_t>(sent);
    } else if (errno == EINTR) {
      continue;
    } else if ((errno == EAGAIN || errno == EWOULDBLOCK) && WaitWritable()) {
      continue;
    } else {
      if (failed++ == 0) error = Describe(("send from " + chunk[done].source.ToString()).c_str());
      ++done;  // skip the datagram that cannot be sent
    }
  }
  return failed;
}

bool UdpSocket::WaitWritable() const {
  pollfd p{fd_.get(), POLLOUT, 0};
  int ready;
  do {
    ready = poll(&p, 1, kWritableWaitMs);
  } while (ready < 0 && errno == EINTR);
  if (ready == 0) errno = EAGAIN;
  return ready > 0;
}

}  // namespace printersim
