#pragma once
// What the window tests share: the Qt application (offscreen unless a
// display is asked for), an event-driven wait, and a main window with a
// fake or real transport whose dialogs the test controls.
#include "CDeviceListCtrl.h"
#include "CDeviceListModel.h"
#include "CLumoraApp.h"
#include "CLumoraDlg.h"
#include "CZqIPCfgDlg.h"
#include "FakeTransport.h"
#include "LumoraMessageBox.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>

inline QApplication& UiApp() {
  static int argc = 1;
  static char name[] = "lumora";
  static char* argv[] = {name, nullptr};
  static QApplication* pApp = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    // The window's remembered choices live in a folder of the test run.
    static TempDir config;
    setenv("XDG_CONFIG_HOME", config.path().c_str(), 1);
    auto* p = new QApplication(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lumora"));
    return p;
  }();
  return *pApp;
}

// Processes events until the condition holds or the limit has passed; it
// sleeps only in the event loop's own wait for the next event.
inline bool WaitFor(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const QDeadlineTimer deadline(limit);
  QTimer wake;  // ends the last wait at the deadline
  wake.setSingleShot(true);
  wake.start(limit);
  while (!condition()) {
    if (deadline.hasExpired()) return condition();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  }
  return true;
}

// An address probe that answers as the test says and sends nothing.
struct ScriptedProbe : IAddressProbe {
  std::wstring NeighbourMac(const std::wstring&) override { return strHolder; }
  EEcho Echo(const std::wstring&) override { return EEcho::kSilent; }
  std::wstring strHolder;  // the MAC that answers ARP; empty: none
};

// The main window with the test's hands on the host adapter, the address
// probe, the dialogs and the export's file; the look after a SET is short.
class TestDlg : public CLumoraDlg {
 public:
  template <typename... Args>
  explicit TestDlg(Args&&... args) : CLumoraDlg(std::forward<Args>(args)...) {
    using std::chrono::milliseconds;
    SetVerifyTiming({milliseconds(60), milliseconds(20), milliseconds(60), milliseconds(60)});
  }
  // Closed as a user closes it, so that the run has ended before this part
  // of the window goes (the worker calls the window's virtual functions).
  ~TestDlg() override { reject(); }
  // Get the initialised dialog and return its result; unset: cancelled.
  std::function<int(CZqIPCfgDlg&)> m_OnConfiguration;
  std::function<int(QDialog&)> m_OnDialog;  // interfaces, hosts, report
  ScriptedProbe m_Probe;
  QString m_strExportPath;  // empty: the export is cancelled

 protected:
  void ReadDefaultCard(CardValues& values) const override {
    values = {L"10.77.0.2", L"255.255.0.0", L"10.77.0.1", L"02-4C-00-00-00-02"};
  }
  int RunConfigurationDialog(CZqIPCfgDlg& dialog) override {
    dialog.OnInitDialog();
    return m_OnConfiguration ? m_OnConfiguration(dialog) : QDialog::Rejected;
  }
  int RunDialog(QDialog& dialog) override { return m_OnDialog ? m_OnDialog(dialog) : QDialog::Rejected; }
  IAddressProbe& AddressProbe() override { return m_Probe; }
  bool ChooseExportFile(QString& strPath) override {
    strPath = m_strExportPath;
    return !strPath.isEmpty();
  }
};

// An application object whose INI, log and change journal live in a
// directory of the test.
class TestApp {
 public:
  TestApp() : m_App(m_Dir.path() / "lumora") {
    setenv("XDG_STATE_HOME", (m_Dir.path() / "state").c_str(), 1);
    UiApp();
    m_App.OpenLogFile();
  }
  CLumoraApp& Get() { return m_App; }
  std::filesystem::path LogPath() const { return m_Dir.path() / "lumora.log"; }
  std::filesystem::path JournalPath() const { return m_Dir.path() / "state/lumora/changes.jsonl"; }

 private:
  TempDir m_Dir;
  CLumoraApp m_App;
};

// build/screenshots/NAME-SCALE.png, SCALE being 100 or 200 (QT_SCALE_FACTOR).
inline void SaveScreenshot(QWidget& widget, const char* szName) {
  const QString strDir = QStringLiteral(LUMORA_BINARY_DIR "/screenshots");
  QDir().mkpath(strDir);
  const int nScale = qRound(widget.devicePixelRatioF() * 100);
  const QString strPath = QStringLiteral("%1/%2-%3.png").arg(strDir, QLatin1String(szName)).arg(nScale);
  EXPECT_TRUE(widget.grab().save(strPath)) << strPath.toStdString();
}

// Message boxes answer as told while the object lives.
class AutoAnswer {
 public:
  explicit AutoAnswer(QMessageBox::StandardButton answer = QMessageBox::Ok) { LumoraMessageBox::SetAutoAnswer(answer); }
  ~AutoAnswer() { LumoraMessageBox::SetAutoAnswer(std::nullopt); }
};

// Clicks Start and waits until the run has ended.
inline void RunToEnd(CLumoraDlg& dlg, std::chrono::milliseconds limit = std::chrono::seconds(30)) {
  auto* pStart = dlg.Item<QAbstractButton>(CLumoraDlg::IDC_START);
  QTest::mouseClick(pStart, Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return pStart->isEnabled(); }, limit));
  ASSERT_TRUE(dlg.WaitForRunEnd());
}

// Where the device list shows the row, and a click there.
inline QPoint RowPoint(CLumoraDlg& dlg, int nRow) {
  return dlg.DeviceList().ReportView()->visualRect(dlg.DeviceList().Model().index(nRow, 1)).center();
}
inline void ClickRow(CLumoraDlg& dlg, int nRow) {
  QTest::mouseClick(dlg.DeviceList().ReportView()->viewport(), Qt::LeftButton, {}, RowPoint(dlg, nRow));
}

// A main window on a fake transport: a test sets up the settings and the
// transport, then opens it. Message boxes answer OK.
class WindowTest : public ::testing::Test {
 protected:
  void Open(DWORD dwFlags = 0) {
    m_pDlg = std::make_unique<TestDlg>(m_App.Get(), std::move(m_pNewTransport));
    m_pDlg->SetFlags(dwFlags);
    m_pDlg->OnInitDialog();
    m_pDlg->show();
  }

  AutoAnswer m_Answer;
  TestApp m_App;
  std::unique_ptr<FakeTransport> m_pNewTransport = std::make_unique<FakeTransport>();
  FakeTransport* m_pTransport = m_pNewTransport.get();  // the window's once it is open
  std::unique_ptr<TestDlg> m_pDlg;
};

// An interface of this computer that is up and can broadcast, with a /16 mask.
inline CCNetInterfaces::Entry UpCard(const wchar_t* szName, DWORD dwAddress) {
  CCNetInterfaces::Entry entry = CCNetInterfaces::MakeEntry(szName, 2, dwAddress, 0xFFFF0000);
  entry.bUp = entry.bBroadcast = 1;
  return entry;
}

#include "DesktopUrl.h"

// Replaces the desktop's URL handler for the life of the object.
class DesktopUrlHook {
 public:
  explicit DesktopUrlHook(DesktopUrl::Opener opener) { DesktopUrl::SetOpener(std::move(opener)); }
  ~DesktopUrlHook() { DesktopUrl::SetOpener(nullptr); }
};
