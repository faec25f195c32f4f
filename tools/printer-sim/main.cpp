// printer-sim: plays the maker's network printers on a virtual LAN.
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "ConfigReader.h"
#include "NamespaceGuard.h"
#include "NetlinkAddresses.h"
#include "PrinterGenerator.h"
#include "Simulator.h"
#include "StatusRoutes.h"
#include "StatusTcpServer.h"
#include "StopSignal.h"
#include "UdpSocket.h"
#include "WebServer.h"

using namespace printersim;

namespace {

constexpr int kUsageError = 2;
constexpr int kStartFailed = 1;

std::optional<std::vector<Printer>> LoadPrinters(const SimOptions& options, std::string& error) {
  const PrinterGenerator generator(options.base, options.subnetMask, options.gateway);
  if (options.configPath.empty()) return generator.MakeAll(options.count, error);
  std::ifstream in(options.configPath);
  if (!in) {
    error = "cannot read " + options.configPath;
    return std::nullopt;
  }
  auto printers = ConfigReader(generator).Read(in, error);
  if (!printers) error = options.configPath + ": " + error;
  return printers;
}

// A printer whose address the host does not hold can hear broadcasts but
// cannot answer; say so before the first request shows it.
void WarnAboutForeignAddresses(const std::vector<Printer>& printers) {
  std::size_t foreign = 0;
  std::string first;
  for (const Printer& printer : printers) {
    if (UdpSocket::IsLocalAddress(printer.address)) continue;
    if (foreign++ == 0) first = printer.address.ToString();
  }
  if (foreign > 0) {
    std::cerr << "printer-sim: warning: " << foreign << " printer address(es), first " << first
              << ", are not addresses of this host; those printers cannot answer\n";
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  const auto options = CommandLine::Parse(std::vector<std::string_view>(argv + 1, argv + argc), error);
  if (!options) {
    std::cerr << "printer-sim: " << error << "\nTry 'printer-sim --help'.\n";
    return kUsageError;
  }
  if (options->help) {
    std::cout << CommandLine::Help();
    return 0;
  }
  const bool ownNamespace = NamespaceGuard::InSeparateNetworkNamespace();
  if (!options->allowHostNetwork && !ownNamespace) {
    std::cerr << "printer-sim: refusing to start outside a network namespace of its own (it would "
                 "answer real programs on this network); start it inside a virtual LAN (scripts/vlan run --sim N ...), or pass "
                 "--allow-host-network on an isolated test network\n";
    return kStartFailed;
  }
  auto printers = LoadPrinters(*options, error);
  if (!printers) {
    std::cerr << "printer-sim: " << error << '\n';
    return options->configPath.empty() ? kUsageError : kStartFailed;
  }
  WarnAboutForeignAddresses(*printers);
  const StopSignal stop(error);
  // Printers told a new address take it on an interface only in a namespace
  // of the simulator's own, never on the machine's real network.
  NetlinkAddresses addresses;
  Simulator simulator(*options, PrinterTable(std::move(*printers)), std::cerr,
                      ownNamespace ? &addresses : nullptr);
  if (!stop.valid() || !simulator.Open(error)) {
    std::cerr << "printer-sim: " << error << '\n';
    return kStartFailed;
  }
  ExchangeMonitor monitor;
  AddStatusRoutes(simulator.responder(), options->status, options->delayMs, monitor);
  std::unique_ptr<StatusTcpServer> statusTcp;
  if (options->status.tcpPort != 0) {
    statusTcp = StatusTcpServer::Start(Ipv4Address(0), options->status.tcpPort, options->status,
                                       options->delayMs, monitor, error);
    if (!statusTcp && options->status.tcpPortGiven) {
      std::cerr << "printer-sim: " << error << '\n';
      return kStartFailed;
    }
    if (!statusTcp) std::cerr << "printer-sim: warning: " << error << "; no status exchange over TCP\n";
  }
  // The web pages are an extra: without the port the printers still answer.
  std::unique_ptr<WebServer> web;
  if (options->webPort != 0) {
    web = WebServer::Start(Ipv4Address(0), options->webPort,
                           [&simulator](Ipv4Address address) { return simulator.PrinterAt(address); },
                           error);
    if (!web) std::cerr << "printer-sim: warning: no web pages: " << error << '\n';
  }
  std::cout << "printer-sim: ready" << std::endl;
  const int exitCode = simulator.Run(stop.fd());
  statusTcp.reset();
  if (monitor.exchanges() > 0) {
    std::cerr << "printer-sim: status exchanges " << monitor.exchanges() << ", overlapping "
              << monitor.overlaps() << '\n';
  }
  return exitCode;
}
