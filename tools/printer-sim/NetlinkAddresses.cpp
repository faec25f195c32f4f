#include "NetlinkAddresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <linux/if_addr.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <net/if.h>
#include <poll.h>
#include <sys/socket.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <memory>

#include "FileDescriptor.h"
#include "UdpSocket.h"

namespace printersim {

namespace {

// How long the kernel may take to acknowledge an address change.
constexpr std::chrono::milliseconds kAckWait{2000};

// The index of the interface that holds `address`, or 0.
int InterfaceOf(Ipv4Address address) {
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return 0;
  const std::unique_ptr<ifaddrs, decltype(&freeifaddrs)> owner(list, freeifaddrs);
  for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
    if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_INET) continue;
    const auto* in = reinterpret_cast<const sockaddr_in*>(a->ifa_addr);
    if (ntohl(in->sin_addr.s_addr) == address.value())
      return static_cast<int>(if_nametoindex(a->ifa_name));
  }
  return 0;
}

struct AddressRequest {
  nlmsghdr header;
  ifaddrmsg message;
  char attributes[64];
};

void AddAttribute(AddressRequest& request, unsigned short type, Ipv4Address address) {
  const std::uint32_t value = htonl(address.value());
  auto* attribute = reinterpret_cast<rtattr*>(reinterpret_cast<char*>(&request) +
                                              NLMSG_ALIGN(request.header.nlmsg_len));
  attribute->rta_type = type;
  attribute->rta_len = RTA_LENGTH(sizeof value);
  std::memcpy(RTA_DATA(attribute), &value, sizeof value);
  request.header.nlmsg_len = NLMSG_ALIGN(request.header.nlmsg_len) + RTA_ALIGN(attribute->rta_len);
}

// Waits for the kernel's answer to the request with sequence number `seq`.
bool AwaitAck(int fd, std::uint32_t seq, std::string& error) {
  const auto deadline = std::chrono::steady_clock::now() + kAckWait;
  char buffer[4096];
  while (true) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    pollfd p{fd, POLLIN, 0};
    const int ready = left.count() > 0 ? poll(&p, 1, static_cast<int>(left.count())) : 0;
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      error = "no answer from the kernel";
      return false;
    }
    const ssize_t n = recv(fd, buffer, sizeof buffer, 0);
    if (n < 0) {
      if (errno == EINTR) continue;
      error = std::string("netlink: ") + std::strerror(errno);
      return false;
    }
    int length = static_cast<int>(n);
    for (auto* h = reinterpret_cast<nlmsghdr*>(buffer); NLMSG_OK(h, length);
         h = NLMSG_NEXT(h, length)) {
      if (h->nlmsg_seq != seq || h->nlmsg_type != NLMSG_ERROR) continue;
      const int code = static_cast<const nlmsgerr*>(NLMSG_DATA(h))->error;
      if (code != 0) error = std::strerror(-code);
      return code == 0;
    }
  }
}

}  // namespace

NetlinkAddresses::~NetlinkAddresses() {
  std::string ignored;
  for (const Added& address : added_) Change(RTM_DELADDR, address, ignored);
}

bool NetlinkAddresses::Take(Ipv4Address current, Ipv4Address wanted, unsigned prefixLength,
                            std::string& error) {
  if (UdpSocket::IsLocalAddress(wanted)) return true;
  const Added address{InterfaceOf(current), wanted, prefixLength};
  if (address.interfaceIndex == 0) {
    error = "no interface holds " + current.ToString();
    return false;
  }
  if (!Change(RTM_NEWADDR, address, error)) return false;
  added_.push_back(address);
  return true;
}

bool NetlinkAddresses::Change(int type, const Added& address, std::string& error) {
  static std::uint32_t sequence = 0;
  FileDescriptor fd(socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE));
  if (!fd.valid()) {
    error = std::string("netlink socket: ") + std::strerror(errno);
    return false;
  }
  AddressRequest request{};
  request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifaddrmsg));
  request.header.nlmsg_type = static_cast<unsigned short>(type);
  request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_ACK;
  if (type == RTM_NEWADDR) request.header.nlmsg_flags |= NLM_F_CREATE | NLM_F_EXCL;
  request.header.nlmsg_seq = ++sequence;
  request.message.ifa_family = AF_INET;
  request.message.ifa_prefixlen = static_cast<unsigned char>(address.prefixLength);
  request.message.ifa_index = static_cast<unsigned>(address.interfaceIndex);
  AddAttribute(request, IFA_LOCAL, address.address);
  AddAttribute(request, IFA_ADDRESS, address.address);
  if (address.prefixLength < 31) {
    const std::uint32_t hostBits = 0xFFFFFFFFu >> address.prefixLength;
    AddAttribute(request, IFA_BROADCAST, Ipv4Address(address.address.value() | hostBits));
  }
  if (send(fd.get(), &request, request.header.nlmsg_len, 0) < 0) {
    error = std::string("netlink send: ") + std::strerror(errno);
    return false;
  }
  return AwaitAck(fd.get(), request.header.nlmsg_seq, error);
}

}  // namespace printersim
