#pragma once
// The status exchange over UDP: one route of the responder per request of
// the status table, answering framed requests on the printers' port.
#include "ExchangeMonitor.h"
#include "Responder.h"
#include "StatusSettings.h"

namespace printersim {

// settings and monitor must outlive the responder. delayMs: the simulator's
// answer delay, so that the monitor knows when each answer leaves.
void AddStatusRoutes(Responder& responder, const StatusSettings& settings, unsigned delayMs,
                     ExchangeMonitor& monitor);

}  // namespace printersim
