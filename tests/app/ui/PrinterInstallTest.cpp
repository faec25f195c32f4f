// The window's way from a found printer to printing: the install dialog and
// the status panel, against a CUPS scheduler of the test's own and the
// simulator's status exchange served in this process on 127.0.0.1.
#include "CInstallPrinterDlg.h"
#include "CPrintQueueAdmin.h"
#include "CPrinterStatusPanel.h"
#include "PrinterSetup.h"
#include "StatusTcpServer.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTableWidget>

using namespace std::chrono_literals;

namespace {

_DeviceInfo Printer() {
  _DeviceInfo device;
  device.strName = L"Lumen Desk 0001";
  device.strModel = L"Quillmark Compact";
  device.strIpAddress = L"10.77.16.1";
  return device;
}

class PrinterWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    UiApp();
    ASSERT_TRUE(setup.Ready()) << setup.Cups().Log();
  }
  PrinterSetup setup;
};

TEST_F(PrinterWindows, InstallDialogInstallsOffTheWindowsThreadAndShowsTheResult) {
  CInstallPrinterDlg dialog(Printer());
  EXPECT_EQ(dialog.QueueEdit().placeholderText(), QStringLiteral("Lumen_Desk_0001"));
  dialog.ConnectionBox().setCurrentIndex(1);
  dialog.ProtocolBox().setCurrentIndex(1);
  QTest::mouseClick(&dialog.InstallButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.ResultText(), QStringLiteral("Installing..."));
  ASSERT_TRUE(WaitFor([&] { return !dialog.Busy(); }, 20s));
  EXPECT_TRUE(dialog.ResultText().startsWith(
      QStringLiteral("installed Lumen_Desk_0001 -> lpd://10.77.16.1/queue (TCP")))
      << dialog.ResultText().toStdString();
  EXPECT_FALSE(dialog.InstallButton().isEnabled());
  dialog.show();
  SaveScreenshot(dialog, "install-printer");
  CPrintQueueAdmin::Queue queue;
  EXPECT_EQ(CPrintQueueAdmin::Find("Lumen_Desk_0001", queue).result, CPrintQueueAdmin::Result::kOk);

  CInstallPrinterDlg again(Printer());
  again.QueueEdit().setText(QStringLiteral("Lumen_Desk_0001"));
  QTest::mouseClick(&again.InstallButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return !again.Busy(); }, 20s));
  EXPECT_TRUE(again.ResultText().contains(QStringLiteral("exists already")));
  EXPECT_TRUE(again.InstallButton().isEnabled());
}

TEST_F(PrinterWindows, StatusPanelReadsOffTheWindowsThreadAndRefreshes) {
  printersim::StatusSettings settings;
  printersim::ExchangeMonitor monitor;
  std::string error;
  const auto server = printersim::StatusTcpServer::Start(printersim::Ipv4Address(0x7F000001), 0,
                                                         settings, 20, monitor, error);
  ASSERT_TRUE(server) << error;
  ASSERT_TRUE(setup.AddPrinter("Front", "socket://127.0.0.1:" + std::to_string(server->port()), 1));

  CPrinterStatusPanel panel;
  panel.ShowPrinter(L"127.0.0.1", QStringLiteral("Front"));
  EXPECT_FALSE(panel.RefreshButton().isEnabled());
  EXPECT_TRUE(panel.StateText().startsWith(QStringLiteral("Reading")));
  ASSERT_TRUE(WaitFor([&] { return !panel.Busy(); }, 30s));
  EXPECT_TRUE(panel.StateText().contains(QStringLiteral("every value read")))
      << panel.StateText().toStdString();
  ASSERT_EQ(panel.Values().rowCount(), 15);
  EXPECT_EQ(panel.Values().item(8, 1)->text(), QStringLiteral("750 cm"));
  panel.show();
  SaveScreenshot(panel, "printer-status");

  settings.paperRemainingCm = 749;
  QTest::mouseClick(&panel.RefreshButton(), Qt::LeftButton);
  ASSERT_TRUE(WaitFor([&] { return !panel.Busy(); }, 30s));
  EXPECT_EQ(panel.Values().item(8, 1)->text(), QStringLiteral("749 cm"));

  panel.ShowPrinter(L"127.0.0.2", QStringLiteral("Elsewhere"));
  ASSERT_TRUE(WaitFor([&] { return !panel.Busy(); }, 30s));
  EXPECT_TRUE(panel.StateText().contains(QStringLiteral("no print queue prints to 127.0.0.2")));
}

// The main window offers both for a selected printer and hands the dialog
// the printer of the selected row.
class InstallingDlg : public TestDlg {
 public:
  using TestDlg::TestDlg;
  CPrinterInstaller::Request m_Request;

 protected:
  int RunInstallDialog(CInstallPrinterDlg& dialog) override {
    m_Request = dialog.Request();
    return QDialog::Rejected;
  }
};

TEST_F(PrinterWindows, SystemMenuOffersThemForTheSelectedPrinter) {
  TestApp app;
  InstallingDlg dlg(app.Get(), std::make_unique<FakeTransport>());
  dlg.OnInitDialog();
  dlg.show();
  auto actions = [&] {
    QMenu menu;
    dlg.BuildSystemMenu(menu);
    QStringList enabled;
    for (QAction* pAction : menu.actions())
      if (pAction->isEnabled() && !pAction->isSeparator()) enabled << pAction->text();
    return enabled;
  };
  EXPECT_FALSE(actions().contains(QStringLiteral("Install printer...")));
  dlg.OnAddItem();
  ClickRow(dlg, 1);
  ASSERT_EQ(dlg.GetSelectedDevice(), 0);
  EXPECT_TRUE(actions().contains(QStringLiteral("Install printer...")));
  EXPECT_TRUE(actions().contains(QStringLiteral("Printer status...")));

  dlg.OnInstallPrinter();
  EXPECT_EQ(dlg.m_Request.strAddress, L"125.125.125.125");
  dlg.OnPrinterStatus();
  ASSERT_NE(dlg.StatusPanel(), nullptr);
  ASSERT_TRUE(WaitFor([&] { return !dlg.StatusPanel()->Busy(); }, 30s));
  EXPECT_TRUE(dlg.StatusPanel()->StateText().contains(QStringLiteral("no print queue")));
  dlg.OnOK();
}

}  // namespace
