// CLumoraDlg as the owner of the discovery: what the worker asks of the
// window, carried over to the window's thread, the debug console, and how
// the window waits for the worker.
#include "CConsoleDiscoveryOwner.h"
#include "CLedButton.h"
#include "CLumoraApp.h"
#include "CLumoraDlg.h"
#include "CZqDebugDld.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QProgressBar>

#include <chrono>
#include <thread>

// Console lines and lamps reach the window's thread without the worker
// waiting for them: it needs nothing back, and a round trip per line and
// per lamp flip slows a large discovery several times over. A line is
// stamped here, when it happens, and goes over in a chunk with its
// neighbours, through the queue of the filed answers.
void CLumoraDlg::WriteDebugConsole(const std::wstring& strLine) {
  // Without the console the line is dropped here, before any thread change.
  if (!(m_dwFlags & CLumoraApp::kFlagDebug)) return;
  m_ConsoleLines.Add(QString::fromStdWString(CConsoleDiscoveryOwner::TimeStamped(strLine)));
}

void CLumoraDlg::ShowConsoleLines(std::vector<QString> lines) {
  if (m_pDebugWindow) m_pDebugWindow->AddStampedLines(std::move(lines));
}

// The worker flips its own copy of the lamp's state; the window shows the
// latest state, one repaint request pending at a time.
void CLumoraDlg::ToggleLamp(IDiscoveryOwner::Lamp lamp) {
  const size_t nLamp = lamp == kLoopLamp ? 0 : 1;
  m_aLampState[nLamp].fetch_xor(1);
  if (m_aLampPending[nLamp].exchange(true)) return;
  m_Gate.Post([this, lamp, nLamp] {
    m_aLampPending[nLamp].store(false);
    Lamp(lamp).SetLedOn(m_aLampState[nLamp].load());
  });
}

// The progress pump never waits for the window, so that waiting for the
// pump to end can never wait on the window in turn.
void CLumoraDlg::StepProgress() {
  m_Gate.Post([this] {
    const int nNext = m_pProgress->value() + 1;
    m_pProgress->setValue(nNext > m_pProgress->maximum() ? m_pProgress->minimum() : nNext);
  });
}

// The stop routine sees every answer filed before it.
void CLumoraDlg::StopDiscovery() {
  m_pWorker->RequestStop();  // the run ends also when the window no longer serves it
  m_Gate.Run([this] {
    m_WorkQueue.Flush();
    OnStop();
  });
}

// Answers are filed without the worker waiting; a read waits, and sees
// every answer filed before it.
void CLumoraDlg::RunTableOperation(std::function<void()> operation, bool bWait) {
  if (!bWait) {
    m_WorkQueue.Post(std::move(operation));
    return;
  }
  m_Gate.Run([&] {
    m_WorkQueue.Flush();
    operation();
  });
}

CDiscoverySettings CLumoraDlg::GetDiscoverySettings() const {
  std::lock_guard lock(m_SettingsMutex);
  return m_RunSettings;
}

CLogFileManager& CLumoraDlg::GetLogFile() { return m_App.m_LogFile; }

CLedButton& CLumoraDlg::Lamp(IDiscoveryOwner::Lamp lamp) const {
  return lamp == kLoopLamp ? *m_pTxLamp : *m_pRxLamp;
}

void CLumoraDlg::OpenDebugWindow() {
  m_pDebugWindow.reset();
  m_pDebugWindow = std::make_unique<CZqDebugDld>(this);
  m_pDebugWindow->OnInitDialog();
  m_pDebugWindow->show();
  m_pDebugWindow->raise();
  m_pDebugWindow->activateWindow();
}

void CLumoraDlg::CloseDebugWindow() {
  if (!m_pDebugWindow) return;
  m_pDebugWindow->reject();
  m_pDebugWindow.reset();
}

void CLumoraDlg::RunOffUiThread(const std::function<void()>& work) {
  QEventLoop loop;
  m_bBusy = true;
  // The quit event is made and, once delivered, deleted on this thread; the
  // worker only posts it.
  auto quit = std::make_unique<QEvent>(QEvent::Quit);
  std::thread worker([&] {
    work();
    QCoreApplication::postEvent(&loop, quit.release());
  });
  // Paints and the gate's calls go on; keys and clicks wait for the end.
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  worker.join();
  m_bBusy = false;
}

bool CLumoraDlg::WaitForRunEnd() {
  if (!m_pWorker->IsRunActive()) return true;
  // A run notices the stop within one receive time-out and one idle pause.
  const auto bound = std::chrono::milliseconds(dwReciveThreadTimeout) +
                     std::chrono::milliseconds(dwRxThreadIdleTimeout) + CDiscoveryWorker::kThreadExitBound;
  bool bEnded = false;
  RunOffUiThread([&] { bEnded = m_pWorker->WaitForEnd(bound); });
  return bEnded;
}

// Asks a run to stop and serves it until it has ended; a run that does not
// end in time gets nothing more from the window (the gate drops its calls),
// so that the worker's own destruction can wait for it safely.
void CLumoraDlg::ShutDownWorker() {
  if (m_bShutDown) return;
  m_bShutDown = true;
  m_pWorker->RequestStop();
  WaitForRunEnd();
  WaitForVerification();
  m_Gate.Close();
}
