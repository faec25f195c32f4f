#pragma once
// The simulator's loop: receives requests on the printers' port, lets every
// addressed printer answer through the responder and the fault injector,
// and sends the answers when they are due. One poll() waits for requests,
// the stop descriptor and the next due answer at once.
#include <chrono>
#include <mutex>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "AnswerQueue.h"
#include "FaultInjector.h"
#include "PrinterTable.h"
#include "Responder.h"
#include "SetHandler.h"
#include "SimOptions.h"
#include "UdpSocket.h"

namespace printersim {

class Simulator {
 public:
  // A printer told a new IP address takes it through `addresses`; without
  // them (null) it keeps its address.
  Simulator(const SimOptions& options, PrinterTable printers, std::ostream& log,
            HostAddresses* addresses = nullptr);

  // Binds the printers' port; false with `error` when that fails.
  bool Open(std::string& error);

  // Serves until `stopFd` becomes readable; returns the exit code.
  int Run(int stopFd);

  // Where request kinds are added.
  Responder& responder() { return responder_; }
  const PrinterTable& printers() const { return printers_; }

  // A copy of the printer at `address`, if one is there; safe from any thread.
  std::optional<Printer> PrinterAt(Ipv4Address address) const;

  // The answers the printers give to `request` (also for tests).
  void Serve(const Datagram& request, AnswerQueue::Clock::time_point now);
  AnswerQueue& queue() { return queue_; }

 private:
  using Clock = AnswerQueue::Clock;
  void ReceiveWaiting(Clock::time_point now);
  void SendDue(Clock::time_point now);
  int PollTimeoutMs(Clock::time_point now) const;
  void LogRequest(const Datagram& request, std::size_t printers, std::size_t answers) const;

  SimOptions options_;
  mutable std::mutex printersMutex_;  // Serve changes printers; PrinterAt reads them
  PrinterTable printers_;
  std::ostream& log_;
  Responder responder_;
  SetHandler setHandler_;
  FaultInjector faults_;
  AnswerQueue queue_;
  std::optional<UdpSocket> socket_;
  std::vector<std::size_t> addressees_;
  std::vector<std::string> answers_;
  std::vector<std::string> wire_;
  std::vector<Datagram> due_;
};

}  // namespace printersim
