#pragma once
// The printers' built-in web servers: one listener on every local address,
// on a thread of its own. A connection gets the page of the printer whose
// address it reached (WebPage); one connection is served at a time, and a
// client that sends no request within a second is dropped.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "FileDescriptor.h"
#include "Ipv4Address.h"
#include "Printer.h"

namespace printersim {

class WebServer {
 public:
  // A copy of the printer at the address, taken safely from the serving thread.
  using Lookup = std::function<std::optional<Printer>(Ipv4Address)>;

  // Listens on address:port (address 0: every local address; port 0: any
  // free one) and starts serving; null with `error` when the port cannot be
  // had.
  static std::unique_ptr<WebServer> Start(Ipv4Address address, std::uint16_t port, Lookup lookup,
                                          std::string& error);
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  std::uint16_t port() const { return port_; }

 private:
  WebServer(FileDescriptor listener, FileDescriptor stopRead, FileDescriptor stopWrite,
            std::uint16_t port, Lookup lookup);
  void Run();
  void Serve(int connection) const;

  FileDescriptor listener_;
  FileDescriptor stopRead_;
  FileDescriptor stopWrite_;
  std::uint16_t port_;
  Lookup lookup_;
  std::thread thread_;
};

}  // namespace printersim
