// The window under load (not a test): one whole discovery of the printers
// printer-sim plays on the virtual LAN, measured from inside the window,
// beside lumora-cli discover with the same settings; and the debug
// console's memory at its line limit.
//
//   ui-bench --cli PATH [--debug]     (run by bench/ui/run inside the LAN)
#include "CDebugLineModel.h"
#include "CDebugLogView.h"
#include "CLumoraApp.h"
#include "CLumoraDlg.h"
#include "CUdpDiscoveryTransport.h"
#include "CZqDebugDld.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMetaEnum>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <fcntl.h>
#include <malloc.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// A /proc file kept open and read again from its start: the probe reads two
// of them every 2 ms, and opening them each time would be a good part of
// the window thread's work.
class ProcFile {
 public:
  explicit ProcFile(const char* szPath) : m_nFd(::open(szPath, O_RDONLY | O_CLOEXEC)) {}
  ~ProcFile() {
    if (m_nFd >= 0) ::close(m_nFd);
  }
  ProcFile(const ProcFile&) = delete;
  ProcFile& operator=(const ProcFile&) = delete;
  // The start of the file, up to 255 bytes; empty when it cannot be read.
  std::string Head() const {
    char buffer[256];
    const ssize_t nRead = m_nFd >= 0 ? ::pread(m_nFd, buffer, sizeof buffer - 1, 0) : -1;
    return std::string(buffer, nRead > 0 ? static_cast<size_t>(nRead) : 0);
  }

 private:
  int m_nFd;
};

// Milliseconds this thread has spent runnable but waiting for a processor
// (the scheduler's run-queue time), -1 where the kernel does not say. Only
// for the thread that made the first call.
double ThreadRunQueueMs() {
  static const ProcFile schedstat("/proc/thread-self/schedstat");
  unsigned long long ullRun = 0, ullWait = 0;
  if (std::sscanf(schedstat.Head().c_str(), "%llu %llu", &ullRun, &ullWait) != 2) return -1;
  return static_cast<double>(ullWait) / 1e6;
}

// Milliseconds of processor time the hypervisor took from this machine's
// processors (all of them together), from /proc/stat; 10 ms steps.
double StolenMs() {
  static const ProcFile stat("/proc/stat");
  unsigned long long ull[8] = {};
  std::sscanf(stat.Head().c_str(), "cpu %llu %llu %llu %llu %llu %llu %llu %llu", &ull[0], &ull[1], &ull[2],
              &ull[3], &ull[4], &ull[5], &ull[6], &ull[7]);
  return static_cast<double>(ull[7]) * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The application, noting the event whose handling took the most CPU time
// of the window's thread (nested events count within the outer one).
class EventTimingApp : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* pReceiver, QEvent* pEvent) override {
    const double dStart = ThreadCpuMs();
    const int nType = pEvent->type();
    const bool bResult = QApplication::notify(pReceiver, pEvent);
    const double dCpu = ThreadCpuMs() - dStart;
    if (dCpu > s_dLongest) {
      s_dLongest = dCpu;
      const char* szType = QMetaEnum::fromType<QEvent::Type>().valueToKey(nType);
      s_strLongest = QStringLiteral("%1 to %2, %3 ms CPU")
                         .arg(QLatin1String(szType ? szType : "?"),
                              QLatin1String(pReceiver->metaObject()->className()))
                         .arg(dCpu, 0, 'f', 1)
                         .toStdString();
    }
    return bResult;
  }
  static void Reset() { s_dLongest = 0; }
  static const std::string& Longest() { return s_strLongest; }

 private:
  static inline double s_dLongest = 0;
  static inline std::string s_strLongest;
};

long ResidentKiB() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  statm >> pages >> resident;
  return resident * (sysconf(_SC_PAGESIZE) / 1024);
}

// The UDP transport, noting when the worker last got a datagram.
class TimedTransport : public CUdpDiscoveryTransport {
 public:
  DWORD Receive(BYTE* pBuffer, DWORD dwSize, DWORD& dwReceived, std::wstring& strSender, DWORD& dwPort,
                DWORD dwTimeout) override {
    const DWORD dwResult = CUdpDiscoveryTransport::Receive(pBuffer, dwSize, dwReceived, strSender, dwPort, dwTimeout);
    if (dwResult == 0 && dwReceived != 0xFFFFFFFF) m_LastAnswer.store(Clock::now().time_since_epoch().count());
    return dwResult;
  }
  Clock::time_point LastAnswer() const { return Clock::time_point(Clock::duration(m_LastAnswer.load())); }

 private:
  std::atomic<Clock::rep> m_LastAnswer{0};
};

// The window, timing its row operations.
class BenchDlg : public CLumoraDlg {
 public:
  using CLumoraDlg::CLumoraDlg;
  BOOL InsertDeviceRow(DWORD dwImage, const std::wstring& a, const std::wstring& b, const std::wstring& c,
                       const std::wstring& d, const std::wstring& e) override {
    const auto start = Clock::now();
    const BOOL bResult = CLumoraDlg::InsertDeviceRow(dwImage, a, b, c, d, e);
    Note(start);
    return bResult;
  }
  void UpdateDeviceRow(DWORD dwRow, DWORD dwImage, const std::wstring& a, const std::wstring& b,
                       const std::wstring& c, const std::wstring& d, const std::wstring& e) override {
    const auto start = Clock::now();
    CLumoraDlg::UpdateDeviceRow(dwRow, dwImage, a, b, c, d, e);
    Note(start);
  }
  std::vector<std::pair<int, double>> m_RowCosts;  // rows in the list, microseconds
  Clock::time_point m_LastRow;

 private:
  void Note(Clock::time_point start) {
    m_LastRow = Clock::now();
    m_RowCosts.emplace_back(static_cast<int>(GetDeviceCount()),
                            std::chrono::duration<double, std::micro>(m_LastRow - start).count());
  }
};

void ConsoleMemory() {
  CZqDebugDld console(nullptr);
  const int nLimit = console.Lines().Limit();
  malloc_trim(0);
  const long before = ResidentKiB();
  QElapsedTimer timer;
  timer.start();
  for (int i = 0; i < nLimit; ++i) {
    console.AddLine(QStringLiteral("Rx Data From IP <10.77.16.%1:15000> Size 27 Buffer: { <ZQ><NAME><ZQ-PRN-%2> }")
                        .arg(i % 250 + 1)
                        .arg(i, 4, 10, QLatin1Char('0')));
  }
  const double dAddMs = timer.nsecsElapsed() / 1e6;
  const long after = ResidentKiB();
  timer.restart();
  console.show();
  console.LogView().repaint();
  const double dPaintMs = timer.nsecsElapsed() / 1e6;
  std::printf("debug console: %d lines (its limit) take %ld KiB more resident memory; adding them %.1f ms "
              "(%.2f us a line); first paint at the limit %.1f ms\n",
              nLimit, after - before, dAddMs, dAddMs * 1000 / nLimit, dPaintMs);
}

double CliRun(const QString& strCli, const QString& strIni) {
  QProcess cli;
  const auto start = Clock::now();
  cli.start(strCli, {QStringLiteral("discover"), QStringLiteral("--ini"), strIni});
  cli.waitForFinished(600000);
  const double dMs = Ms(Clock::now() - start);
  const int nRows = static_cast<int>(cli.readAllStandardOutput().count('\n')) - 1;
  std::printf("lumora-cli discover: %d printers, %.0f ms\n", nRows, dMs);
  return dMs;
}

double WindowRun(CLumoraApp& app, bool bDebug) {
  auto pTransport = std::make_unique<TimedTransport>();
  TimedTransport* pTimed = pTransport.get();
  BenchDlg dlg(app, std::move(pTransport));
  dlg.SetFlags(bDebug ? CLumoraApp::kFlagDebug : 0);
  dlg.OnInitDialog();
  dlg.show();
  QCoreApplication::processEvents();

  // The probe: a timer that should fire every 2 ms; the longest gap
  // between two firings, less 2 ms, is the longest stall. A gap splits into
  // the thread's own CPU time (the window's work), the time it was runnable
  // but waited for a processor (a loaded machine), and the rest, in which
  // it slept or was blocked (on a lock, or waiting for another thread) or
  // the hypervisor had taken the virtual processor away (steal time, which
  // the guest counts neither as CPU nor as run-queue time).
  QElapsedTimer gap;
  double dLongestWork = 0, dLastCpu = -1, dLastQueue = -1, dLastStolen = -1;
  struct Stall {
    double dMs = 0, dCpu = 0, dQueue = 0, dStolen = 0;
  } longest;
  QTimer probe;
  probe.setTimerType(Qt::PreciseTimer);
  QObject::connect(&probe, &QTimer::timeout, [&] {
    const double dCpu = ThreadCpuMs();
    const double dQueue = ThreadRunQueueMs();
    const double dStolen = StolenMs();
    const double dStall = gap.isValid() ? gap.nsecsElapsed() / 1e6 - 2.0 : 0;
    if (dLastCpu >= 0) dLongestWork = std::max(dLongestWork, dCpu - dLastCpu);
    if (dLastCpu >= 0 && dStall > longest.dMs) longest = {dStall, dCpu - dLastCpu, dQueue - dLastQueue, dStolen - dLastStolen};
    gap.restart();
    dLastCpu = dCpu;
    dLastQueue = dQueue;
    dLastStolen = dStolen;
  });
  EventTimingApp::Reset();
  auto* pStart = dlg.Item<QAbstractButton>(CLumoraDlg::IDC_START);
  QEventLoop loop;
  const auto start = Clock::now();
  probe.start(2);
  dlg.OnStart();
  QTimer poll;  // the run ends with Start enabled again
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    if (pStart->isEnabled()) loop.quit();
  });
  poll.start(1);
  loop.exec();
  const double dMs = Ms(Clock::now() - start);
  probe.stop();
  dlg.WaitForRunEnd();

  const auto& costs = dlg.m_RowCosts;
  auto mean = [&](int nFrom, int nTo) {
    double dSum = 0;
    int n = 0;
    for (const auto& [nRows, dUs] : costs)
      if (nRows >= nFrom && nRows < nTo) dSum += dUs, ++n;
    return n ? dSum / n : 0.0;
  };
  const int nDevices = static_cast<int>(dlg.GetDeviceCount());
  std::printf("window%s: %d printers, %.0f ms; longest event-loop stall %.1f ms (in it %.1f ms the window's "
              "CPU, %.1f ms waiting for a processor, %.1f ms asleep or blocked, while the hypervisor took %.0f ms from the machine's %ld processors; the window's own work in any "
              "stall at most %.1f ms CPU; longest event %s); last row %.1f ms after the "
              "last answer; row operations %zu, mean %.1f us with < 100 rows, %.1f us with >= %d rows\n",
              bDebug ? " (/D, console on)" : "", nDevices, dMs, longest.dMs, longest.dCpu, longest.dQueue,
              std::max(0.0, longest.dMs - longest.dCpu - longest.dQueue), longest.dStolen, sysconf(_SC_NPROCESSORS_ONLN),
              dLongestWork,
              EventTimingApp::Longest().c_str(), Ms(dlg.m_LastRow - pTimed->LastAnswer()), costs.size(),
              mean(0, 100), mean(nDevices - 100, nDevices + 1), nDevices - 100);
  return dMs;
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  EventTimingApp application(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("lumora"));
  QString strCli;
  bool bDebug = false;
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--cli" && i + 1 < argc) strCli = QString::fromLocal8Bit(argv[++i]);
    if (std::string(argv[i]) == "--debug") bDebug = true;
  }
  ConsoleMemory();
  if (strCli.isEmpty()) return 0;

  QTemporaryDir dir;
  setenv("XDG_CONFIG_HOME", dir.path().toLocal8Bit().constData(), 1);  // no remembered choices of the user
  const QString strIni = dir.filePath(QStringLiteral("lumora.ini"));
  std::ofstream(strIni.toStdString()) << "[UDPTXRXPORT]\nuiRxPort=15001\nuiTxPort=15000\n"
                                         "[RETRYTIME]\ndwMaxDiscoveryTry=3\ndwMaxNoDataReadTry=2\n"
                                         "[TIMEOUT]\ndwReciveThreadTimeout=200\ndwRxEthTimeout=1000\n"
                                         "dwTxEthTimeout=1000\ndwRxThreadIdleTimeout=0\ndwTxThreadIdleTimeout=50\n"
                                         "[BROADCAST]\ndwBroadcastType=1\n[LOGFILE]\nbtLoggingOn=0\n";
  CLumoraApp app(std::filesystem::path(dir.filePath(QStringLiteral("lumora")).toStdString()));
  app.ReadIniFile();
  app.OpenLogFile();

  const double dCli = CliRun(strCli, strIni);
  const double dWindow = WindowRun(app, bDebug);
  std::printf("window over lumora-cli: %.2f\n", dWindow / dCli);
  return 0;
}
