// The window against printer-sim inside the virtual LAN: a whole discovery
// over UDP, and screenshots of the three windows (at the scale QT_SCALE_FACTOR
// gives) in the build tree. (A change made from the window: ConfigurationTest
// and ProvisioningWindowTest; over the LAN: LanProvisioning.)
#include "CDebugLineModel.h"
#include "CZqDebugDld.h"
#include "UiTestSupport.h"
#include "VirtualLan.h"

#include <QLineEdit>

using namespace std::chrono_literals;

TEST(LanWindow, FindsSimulatedPrintersAndShowsTheTraffic) {
  if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  VirtualLan::AddPrinterAddresses(6);
  auto sim = VirtualLan::StartSim({"--count", "6"});
  AutoAnswer answer;
  TestApp app;
  TestDlg dlg(app.Get());
  dlg.SetFlags(CLumoraApp::kFlagDebug);
  dlg.OnInitDialog();
  dlg.show();
  RunToEnd(dlg, 60s);

  const CDeviceListModel& rows = dlg.DeviceList().Model();
  ASSERT_EQ(rows.rowCount(), 7);
  for (int nRow = 1; nRow < 7; ++nRow) {
    EXPECT_EQ(rows.index(nRow, 2).data().toString(), QStringLiteral("10.77.16.%1").arg(nRow)) << nRow;
    EXPECT_NE(rows.index(nRow, 0).data().toString(), QStringLiteral("-*-*-"));
    EXPECT_NE(rows.index(nRow, 1).data().toString(), QStringLiteral("-|-|-"));
    EXPECT_EQ(rows.index(nRow, 3).data().toString(), QStringLiteral("255.255.0.0"));
  }
  int nAnswers = 0;
  const CDebugLineModel& lines = dlg.DebugWindow()->Lines();
  for (int i = 0; i < lines.rowCount(); ++i) nAnswers += lines.Line(i).contains(QStringLiteral("Rx Data From IP <10.77.16.")) ? 1 : 0;
  EXPECT_GE(nAnswers, 6 * 6);  // a MAC and five fields from each printer

  ClickRow(dlg, 2);
  SaveScreenshot(dlg, "main");
  SaveScreenshot(*dlg.DebugWindow(), "debug");
  dlg.m_OnConfiguration = [](CZqIPCfgDlg& dialog) {
    dialog.show();
    dialog.Item<QLineEdit>(CZqIPCfgDlg::IDC_PRINTER_NAME)->setFocus();
    SaveScreenshot(dialog, "configuration");
    return int(QDialog::Rejected);
  };
  QTest::mouseClick(dlg.Item<QAbstractButton>(CLumoraDlg::IDC_CONF), Qt::LeftButton);
}
