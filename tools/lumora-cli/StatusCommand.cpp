#include "StatusCommand.h"

#include "CPrinterStatusReader.h"
#include "CliExit.h"
#include "EnginePlatform.h"
#include "SignalWatcher.h"
#include "StatusReport.h"

#include <CLI/CLI.hpp>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <iostream>
#include <mutex>

namespace {

int ExitOf(const CPrinterStatus& status) {
  switch (status.state) {
    case CPrinterStatus::State::kComplete: return CliExit::kOk;
    case CPrinterStatus::State::kBusy: return CliExit::kBusy;
    case CPrinterStatus::State::kInterrupted: return CliExit::kInterrupted;
    default: return CliExit::kFailed;
  }
}

std::string Now() {
  int h = 0, m = 0, s = 0;
  EnginePlatform::LocalTime(h, m, s);
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d:%02d", h, m, s);
  return text;
}

}  // namespace

std::string StatusCommand::Summary() const {
  return "Ask the installed printer QUEUE for everything the read-only functions of the printer "
         "link tell (status bytes, GSI byte, release, head temperature, supply voltage, "
         "power-on, cut and retract counts, paper remaining and printed, time to cut, retract "
         "and notch settings) and print one table: each value with its unit, or the function's "
         "result code when it failed. Raw bytes are shown in hexadecimal (their bits' meaning "
         "is not known). Exit status 0 when every value was asked, 3 when another program "
         "holds the printer (busy), 1 when it is not set up or does not answer.";
}

void StatusCommand::AddOptions(CLI::App& sub) {
  sub.add_option("queue", m_strQueue, "The printer's queue name")->required();
  sub.add_flag("--json", m_bJson,
               "Print one JSON object: queue, device_uri, protocol, state, and per value its "
               "result and value (\"hex\" and \"text\" for raw bytes), unit where there is one.");
  sub.add_option("--watch", m_uiWatchSeconds,
                 "Read again every SECONDS until Ctrl-C, printing only what changed (with "
                 "--json, one object per line per change).")
      ->type_name("SECONDS")
      ->check(CLI::Range(1, 86400));
}

int StatusCommand::Run() {
  std::mutex mutex;
  std::condition_variable wake;
  std::atomic<bool> bStop{false};
  const SignalWatcher watcher([&] {
    {
      const std::lock_guard lock(mutex);
      bStop = true;
    }
    wake.notify_all();
  });
  const auto shouldStop = [&bStop] { return bStop.load(); };
  const CPrinterStatusReader reader(m_strQueue);
  CPrinterStatus last = reader.Read(shouldStop);
  if (m_bJson) {
    std::cout << (m_uiWatchSeconds > 0 ? StatusReport::Json(last).dump()
                                       : StatusReport::Json(last).dump(2))
              << std::endl;
  } else {
    std::cout << StatusReport::Text(last) << std::flush;
  }
  if (m_uiWatchSeconds == 0) return ExitOf(last);
  for (;;) {
    {
      std::unique_lock lock(mutex);
      if (wake.wait_for(lock, std::chrono::seconds(m_uiWatchSeconds), shouldStop)) break;
    }
    CPrinterStatus now = reader.Read(shouldStop);
    if (now.state == CPrinterStatus::State::kInterrupted) break;
    if (m_bJson) {
      const nlohmann::json changes = StatusReport::ChangesJson(last, now, Now());
      if (!changes.is_null()) std::cout << changes.dump() << std::endl;
    } else {
      std::cout << StatusReport::ChangesText(last, now, Now()) << std::flush;
    }
    last = std::move(now);
  }
  return CliExit::kOk;
}
