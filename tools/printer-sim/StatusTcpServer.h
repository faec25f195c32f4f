#pragma once
// The status exchange over TCP: a listener on its own thread that takes the
// bare request bytes on each connection and writes the framed answer, after
// the simulator's answer delay. Bytes that begin no request are skipped.
// The connection stays open until the client closes it.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

#include "ExchangeMonitor.h"
#include "FileDescriptor.h"
#include "Ipv4Address.h"
#include "StatusSettings.h"

namespace printersim {

class StatusTcpServer {
 public:
  // Listens on address:port (port 0: any free one) and starts serving; null
  // with `error` when the port cannot be had. settings and monitor must
  // outlive the server.
  static std::unique_ptr<StatusTcpServer> Start(Ipv4Address address, std::uint16_t port,
                                                const StatusSettings& settings, unsigned delayMs,
                                                ExchangeMonitor& monitor, std::string& error);
  // Stops serving and closes every connection.
  ~StatusTcpServer();
  StatusTcpServer(const StatusTcpServer&) = delete;
  StatusTcpServer& operator=(const StatusTcpServer&) = delete;

  std::uint16_t port() const { return port_; }

 private:
  struct Connection;
  StatusTcpServer(FileDescriptor listener, FileDescriptor stop, std::uint16_t port,
                  const StatusSettings& settings, unsigned delayMs, ExchangeMonitor& monitor);
  void Run();

  FileDescriptor listener_;
  FileDescriptor stop_;
  std::uint16_t port_;
  const StatusSettings& settings_;
  unsigned delayMs_;
  ExchangeMonitor& monitor_;
  std::thread thread_;
};

}  // namespace printersim
