// The main window against a fake transport: runs, rows, selection, titles,
// the enable masks, Stop and closing during a run.
#include "CLedButton.h"
#include "CZqDebugDld.h"
#include "UiTestSupport.h"

using namespace std::chrono_literals;

namespace {

const std::vector<SimPrinter> kPrinters = {
    {"10.77.16.3", "02-00-5E-00-00-03", "Quill-3", "Kestrel 4", "255.255.0.0", "10.77.0.1", "1"},
    {"10.77.16.1", "02-00-5E-00-00-01", "Quill-1", "Kestrel 2", "255.255.0.0", "10.77.0.1", "0"},
    {"10.77.16.2", "02-00-5E-00-00-02", "Quill-2", "Heron 8", "255.255.0.0", "10.77.0.1", ""},
};

class MainWindow : public WindowTest {
 protected:
  void Open(DWORD dwFlags = 0, DWORD dwReceiveTimeout = 20) {
    m_App.Get().dwReciveThreadTimeout = dwReceiveTimeout;
    m_App.Get().dwRxThreadIdleTimeout = 2;
    m_pTransport->m_bWaitTimeouts = true;
    m_pTransport->m_Responder = PrinterResponder(kPrinters);
    WindowTest::Open(dwFlags);
  }
  QAbstractButton* Button(int nId) const { return m_pDlg->Item<QAbstractButton>(nId); }
  void Click(int nId) const { QTest::mouseClick(Button(nId), Qt::LeftButton); }
  bool Idle() const { return Button(CLumoraDlg::IDC_START)->isEnabled() && !m_pDlg->IsRunActive(); }
  void RunToEnd() { ::RunToEnd(*m_pDlg); }
  CDeviceListModel& Rows() const { return m_pDlg->DeviceList().Model(); }
  QString Cell(int nRow, int nColumn) const { return Rows().index(nRow, nColumn).data().toString(); }
  void ClickRow(int nRow) const { ::ClickRow(*m_pDlg, nRow); }
  void DoubleClickRow(int nRow) const {
    ClickRow(nRow);
    QTest::mouseDClick(m_pDlg->DeviceList().ReportView()->viewport(), Qt::LeftButton, {}, RowPoint(*m_pDlg, nRow));
  }
  QString Caption(int nId) const { return m_pDlg->GetItemText(nId); }
};

}  // namespace

TEST_F(MainWindow, StartListsPrintersInDiscoveryOrderAndFillsThemIn) {
  Open();
  EXPECT_EQ(Rows().rowCount(), 1);
  EXPECT_EQ(Cell(0, 0), QStringLiteral("Find..."));
  Click(CLumoraDlg::IDC_START);
  EXPECT_EQ(m_pDlg->windowTitle(), QStringLiteral("lumora"));
  EXPECT_FALSE(Button(CLumoraDlg::IDC_START)->isEnabled());
  EXPECT_TRUE(Button(CLumoraDlg::IDC_STOP)->isEnabled());
  EXPECT_FALSE(m_pDlg->DeviceList().isEnabled());
  ASSERT_TRUE(WaitFor([&] { return Idle(); }, 30s));

  ASSERT_EQ(Rows().rowCount(), 4);
  for (int i = 0; i < 3; ++i) {
    const SimPrinter& p = kPrinters[i];
    QStringList cells;
    for (int nColumn = 0; nColumn < 5; ++nColumn) cells << Cell(i + 1, nColumn);
    EXPECT_EQ(cells.join('|').toStdString(), p.name + "|" + p.model + "|" + p.ip + "|" + p.mask + "|" + p.mac);
    EXPECT_EQ(Rows().GetRow(i + 1)->dwImage, 1u);
  }
  EXPECT_TRUE(Button(CLumoraDlg::IDC_CONF)->isEnabled());
  EXPECT_TRUE(Button(CLumoraDlg::IDC_WEB)->isEnabled());
  EXPECT_TRUE(m_pDlg->DeviceList().isEnabled());
  EXPECT_EQ(m_pDlg->GetSelectedDevice(), -1);
}

TEST_F(MainWindow, RowClicksSelectAndDoubleClicksStartOrConfigure) {
  Open();
  RunToEnd();
  ClickRow(0);
  EXPECT_EQ(m_pDlg->GetSelectedDevice(), -1);
  EXPECT_EQ(m_pDlg->windowTitle(), QStringLiteral("lumora"));
  ClickRow(2);
  EXPECT_EQ(m_pDlg->GetSelectedDevice(), 1);
  EXPECT_EQ(m_pDlg->windowTitle(), QStringLiteral("lumora - Quill-1"));
  EXPECT_EQ(Caption(CLumoraDlg::IDC_SELECTED_GROUP), QStringLiteral("Device Selected!"));
  EXPECT_EQ(Caption(CLumoraDlg::IDC_SUMMARY), QStringLiteral("Printer: Quill-1; ID: Kestrel 2; IP Add: 10.77.16.1"));
  // Clearing the list forgets the selection with the records.
  m_pDlg->OnClearList();
  EXPECT_EQ(m_pDlg->GetSelectedDevice(), -1);
  RunToEnd();
  ClickRow(2);

  // A double click on the placeholder starts a fresh run, which forgets the
  // selection: Conf. then asks for one.
  DoubleClickRow(0);
  ASSERT_TRUE(WaitFor([&] { return Idle(); }, 30s));
  EXPECT_EQ(m_pDlg->windowTitle(), QStringLiteral("lumora"));
  EXPECT_EQ(m_pDlg->GetSelectedDevice(), -1);
  Click(CLumoraDlg::IDC_CONF);
  const auto shown = LumoraMessageBox::TakeShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].strText,
            QStringLiteral("No device selected. Please select a device that you want to configure."));
  EXPECT_EQ(shown[0].strCaption, QStringLiteral("lumora"));
  EXPECT_EQ(shown[0].icon, LumoraMessageBox::kError);

  // A double click on a device row selects it and opens its configuration.
  std::wstring strShownIp;
  m_pDlg->m_OnConfiguration = [&](CZqIPCfgDlg& dialog) {
    strShownIp = dialog.GetIpAddress();
    return int(QDialog::Rejected);
  };
  DoubleClickRow(3);
  EXPECT_EQ(m_pDlg->GetSelectedDevice(), 2);
  EXPECT_EQ(strShownIp, L"10.77.16.2");
}

TEST_F(MainWindow, EnableMasksSetTheirControls) {
  Open(CLumoraApp::kFlagDebug);
  struct Case {
    DWORD dwMask;
    std::vector<int> enabled;
  };
  const std::vector<int> all = {CLumoraDlg::IDC_START,   CLumoraDlg::IDC_STOP,    CLumoraDlg::IDC_TX_SLEEP,
                                CLumoraDlg::IDC_TX_UNSLEEP, CLumoraDlg::IDC_TX_PORT, CLumoraDlg::IDC_RX_PORT,
                                CLumoraDlg::IDC_TAB,     CLumoraDlg::IDC_LIST};
  const Case cases[] = {
      {CLumoraDlg::kMaskRunning, {CLumoraDlg::IDC_STOP, CLumoraDlg::IDC_TX_SLEEP, CLumoraDlg::IDC_TAB}},
      {CLumoraDlg::kMaskIdle,
       {CLumoraDlg::IDC_START, CLumoraDlg::IDC_TX_PORT, CLumoraDlg::IDC_RX_PORT, CLumoraDlg::IDC_TAB,
        CLumoraDlg::IDC_LIST}},
      {CLumoraDlg::kMaskPaused, {CLumoraDlg::IDC_TX_UNSLEEP, CLumoraDlg::IDC_TAB}},
  };
  for (const Case& c : cases) {
    m_pDlg->EnableControls(c.dwMask);
    for (int nId : all) {
      const bool bExpected = std::find(c.enabled.begin(), c.enabled.end(), nId) != c.enabled.end();
      EXPECT_EQ(m_pDlg->GetDlgItem(nId)->isEnabled(), bExpected) << std::hex << c.dwMask << " id " << std::dec << nId;
    }
  }
}

TEST_F(MainWindow, StopDuringRunReturnsToIdleAtOnce) {
  Open(0, 2000);
  Click(CLumoraDlg::IDC_START);
  // The receive lamp goes on right before each receive.
  ASSERT_TRUE(WaitFor([&] { return m_pDlg->Lamp(IDiscoveryOwner::kReceiveLamp).IsLedOn() == 1; }, 5s));
  Click(CLumoraDlg::IDC_STOP);
  EXPECT_TRUE(Button(CLumoraDlg::IDC_START)->isEnabled());
  EXPECT_FALSE(Button(CLumoraDlg::IDC_STOP)->isEnabled());
  EXPECT_TRUE(m_pDlg->WaitForRunEnd());
  EXPECT_FALSE(m_pDlg->IsRunActive());
}

// The worker keeps calling the window (console lines, lamps) while the
// window waits for it to end: closing must neither deadlock nor free what
// the worker still uses.
TEST_F(MainWindow, ClosingDuringRunStopsTheWorkerFirst) {
  Open(CLumoraApp::kFlagDebug, 200);
  Click(CLumoraDlg::IDC_START);
  ASSERT_TRUE(WaitFor([&] { return Rows().rowCount() > 1; }, 10s));
  QTest::keyClick(m_pDlg.get(), Qt::Key_Escape);
  EXPECT_FALSE(m_pDlg->IsRunActive());
  EXPECT_EQ(m_pDlg->GetDeviceCount(), 0u);
  EXPECT_EQ(m_pDlg->DebugWindow(), nullptr);
  EXPECT_EQ(m_pDlg->result(), QDialog::Rejected);
  m_pDlg.reset();
}

TEST_F(MainWindow, LampsFollowTheWorker) {
  Open();
  CLedButton& tx = m_pDlg->Lamp(IDiscoveryOwner::kLoopLamp);
  int nChanges = 0;
  int nLast = tx.IsLedOn();
  Click(CLumoraDlg::IDC_START);
  WaitFor([&] {
    if (tx.IsLedOn() != nLast) ++nChanges, nLast = tx.IsLedOn();
    return Idle() || nChanges >= 2;
  }, 30s);
  EXPECT_GE(nChanges, 2);
}

// Web opens the selected printer's page; with no selection it asks for one,
// and when neither the desktop nor an HTML browser takes the page the
// operator reads why.
TEST_F(MainWindow, WebOpensThePrinterPageOrSaysWhyNot) {
  Open();
  RunToEnd();
  QUrl opened;
  bool bTaken = true;
  DesktopUrlHook hook([&](const QUrl& url) { opened = url; return bTaken; });
  Click(CLumoraDlg::IDC_WEB);
  EXPECT_TRUE(opened.isEmpty());
  EXPECT_EQ(LumoraMessageBox::TakeShown().size(), 1u);
  ClickRow(3);
  Click(CLumoraDlg::IDC_WEB);
  EXPECT_EQ(opened, QUrl(QStringLiteral("http://10.77.16.2/")));

  const TempDir noApplications;
  std::vector<std::pair<const char*, std::optional<std::string>>> saved;
  for (const char* name : {"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS", "XDG_DATA_HOME", "XDG_DATA_DIRS"}) {
    const char* value = std::getenv(name);
    saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
    setenv(name, noApplications.path().c_str(), 1);
  }
  bTaken = false;
  ClickRow(1);
  Click(CLumoraDlg::IDC_WEB);
  for (const auto& [name, value] : saved) value ? setenv(name, value->c_str(), 1) : unsetenv(name);
  const auto shown = LumoraMessageBox::TakeShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].strText, "Unable to open hyperlink:\n\nThere is no application associated\n"
                              "with the given filename extension.");
  EXPECT_EQ(shown[0].icon, LumoraMessageBox::kExclamation);
}
