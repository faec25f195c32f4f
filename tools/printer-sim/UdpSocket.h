#pragma once
// The simulator's one UDP socket, bound to every local address on the
// printers' port. It learns the address each request was sent to
// (IP_PKTINFO), so broadcasts and unicasts can be told apart, and sends each
// answer from the answering printer's own address, many per system call.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Datagram.h"
#include "FileDescriptor.h"

namespace printersim {

class UdpSocket {
 public:
  // A non-blocking socket bound to INADDR_ANY:port, or nullopt and `error`.
  static std::optional<UdpSocket> Bind(std::uint16_t port, std::string& error);

  // Whether `address` is one of this host's addresses (a socket can bind to it).
  static bool IsLocalAddress(Ipv4Address address);

  int fd() const { return fd_.get(); }

  // Reads one waiting request into `out`; false when none waits.
  bool Receive(Datagram& out);

  // Sends every datagram from its source address; returns how many failed,
  // with the first failure described in `error`.
  std::size_t Send(std::span<const Datagram> datagrams, std::string& error);

 private:
  explicit UdpSocket(FileDescriptor fd) : fd_(std::move(fd)) {}
  bool WaitWritable() const;
  std::size_t SendChunk(std::span<const Datagram> chunk, std::string& error);

  FileDescriptor fd_;
  std::vector<char> receiveBuffer_ = std::vector<char>(65536);
};

}  // namespace printersim
