#include "StatusRoutes.h"

#include "StatusTable.h"

namespace printersim {

void AddStatusRoutes(Responder& responder, const StatusSettings& settings, unsigned delayMs,
                     ExchangeMonitor& monitor) {
  for (const StatusRequest& request : StatusTable::Requests()) {
    responder.AddRoute(StatusTable::QueryFrame(request.bytes), Responder::Match::kExact,
                       [&request, &settings, delayMs, &monitor](Printer& printer, std::string_view,
                                                                Responder::Answers& out) {
                         const auto now = ExchangeMonitor::Clock::now();
                         monitor.Request(printer.address.value(), now,
                                         now + std::chrono::milliseconds(delayMs));
                         if (auto frame = StatusTable::AnswerFrame(request, settings))
                           out.push_back(std::move(*frame));
                       });
  }
}

}  // namespace printersim
