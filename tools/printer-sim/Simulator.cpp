#include "Simulator.h"

#include <poll.h>

#include <cerrno>
#include <cstdio>

namespace printersim {

namespace {

// Requests read per pass, so that due answers are not held up by a flood.
constexpr int kRequestsPerPass = 256;

std::string Printable(const std::string& bytes) {
  std::string text;
  for (unsigned char c : bytes.substr(0, 200)) {
    if (c >= 0x20 && c < 0x7F) {
      text += static_cast<char>(c);
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      text += hex;
    }
  }
  if (bytes.size() > 200) text += "...";
  return text;
}

}  // namespace

Simulator::Simulator(const SimOptions& options, PrinterTable printers, std::ostream& log,
                     HostAddresses* addresses)
    : options_(options),
      printers_(std::move(printers)),
      log_(log),
      setHandler_(printers_, addresses, options.setReply, log),
      faults_(options.faults) {
  responder_.AddRoute(std::string(SetRequest::kPrefix), Responder::Match::kPrefix,
                      [this](Printer& printer, std::string_view request, Responder::Answers& out) {
                        setHandler_.Handle(printer, request, out);
                      });
}

bool Simulator::Open(std::string& error) {
  socket_ = UdpSocket::Bind(options_.port, error);
  return socket_.has_value();
}

std::optional<Printer> Simulator::PrinterAt(Ipv4Address address) const {
  const std::lock_guard lock(printersMutex_);
  const auto index = printers_.IndexOf(address);
  if (!index) return std::nullopt;
  return printers_[*index];
}

void Simulator::Serve(const Datagram& request, Clock::time_point now) {
  const std::lock_guard lock(printersMutex_);
  printers_.Addressees(request.destination, addressees_);
  const Clock::time_point due = now + std::chrono::milliseconds(options_.delayMs);
  std::size_t sent = 0;
  for (std::size_t index : addressees_) {
    Printer& printer = printers_[index];
    // A printer that takes a new address answers this request from the old.
    const Ipv4Address from = printer.address;
    answers_.clear();
    responder_.Answer(printer, request.payload, answers_);
    wire_.clear();
    for (const std::string& answer : answers_) faults_.Apply(answer, wire_);
    for (std::string& payload : wire_) {
      queue_.Push(due, Datagram{from, options_.port, request.source,
                                options_.answerPort, std::move(payload)});
      ++sent;
    }
  }
  if (options_.verbose) LogRequest(request, addressees_.size(), sent);
}

void Simulator::LogRequest(const Datagram& request, std::size_t printers,
                           std::size_t answers) const {
  log_ << "printer-sim: \"" << Printable(request.payload) << "\" from "
       << request.source.ToString() << ':' << request.sourcePort << " to "
       << request.destination.ToString() << ": " << printers << " printers, " << answers
       << " answers\n" << std::flush;
}

void Simulator::ReceiveWaiting(Clock::time_point now) {
  Datagram request;
  for (int i = 0; i < kRequestsPerPass && socket_->Receive(request); ++i) Serve(request, now);
}

void Simulator::SendDue(Clock::time_point now) {
  due_.clear();
  queue_.TakeDue(now, due_);
  if (due_.empty()) return;
  std::string error;
  if (const std::size_t failed = socket_->Send(due_, error); failed > 0) {
    log_ << "printer-sim: " << failed << " of " << due_.size() << " answers not sent ("
         << error << ")\n" << std::flush;
  }
}

int Simulator::PollTimeoutMs(Clock::time_point now) const {
  const auto next = queue_.NextDue();
  if (!next) return -1;
  if (*next <= now) return 0;
  // Round up, so that the wait never ends before the answer is due.
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(*next - now).count());
}

int Simulator::Run(int stopFd) {
  pollfd fds[2] = {{socket_->fd(), POLLIN, 0}, {stopFd, POLLIN, 0}};
  while (true) {
    SendDue(Clock::now());
    const int ready = poll(fds, 2, PollTimeoutMs(Clock::now()));
    if (ready < 0 && errno != EINTR) {
      log_ << "printer-sim: poll failed\n";
      return 1;
    }
    if (ready <= 0) continue;
    if (fds[1].revents != 0) return 0;
    // Also on POLLERR: the failing receive takes the pending error away.
    if (fds[0].revents != 0) ReceiveWaiting(Clock::now());
  }
}

}  // namespace printersim
