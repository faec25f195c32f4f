// The window against printer-sim inside the virtual LAN: a whole discovery
// over UDP, and screenshots of the three windows (at the scale QT_SCALE_FACTOR
// gives) in the build tree.
#include "CIPAddressCtrl.h"
#include "CDebugLineModel.h"
#include "CZqDebugDld.h"
#include "UiTestSupport.h"
#include "VirtualLan.h"

#include <QLabel>
#include <QLineEdit>

using namespace std::chrono_literals;

namespace {

class LanWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { VirtualLan::AddPrinterAddresses(8); }
  void SetUp() override {
    if (!VirtualLan::Inside()) GTEST_SKIP() << "needs the virtual LAN";
  }

  void Open() {
    m_pDlg = std::make_unique<TestDlg>(m_App.Get());
    m_pDlg->SetFlags(CLumoraApp::kFlagDebug);
    m_pDlg->OnInitDialog();
    m_pDlg->show();
  }
  QAbstractButton* Button(int nId) const { return m_pDlg->Item<QAbstractButton>(nId); }
  void RunDiscovery() { RunToEnd(*m_pDlg, 60s); }
  CDeviceListModel& Rows() const { return m_pDlg->DeviceList().Model(); }

  AutoAnswer m_Answer;  TestApp m_App;
  std::unique_ptr<TestDlg> m_pDlg;
};

}  // namespace

TEST_F(LanWindow, FindsSimulatedPrintersAndShowsTheTraffic) {
  auto sim = VirtualLan::StartSim({"--count", "6"});
  Open();
  RunDiscovery();
  ASSERT_EQ(Rows().rowCount(), 7);
  for (int nRow = 1; nRow < 7; ++nRow) {
    EXPECT_EQ(Rows().index(nRow, 2).data().toString(), QStringLiteral("10.77.16.%1").arg(nRow)) << nRow;
    EXPECT_NE(Rows().index(nRow, 0).data().toString(), QStringLiteral("-*-*-"));
    EXPECT_NE(Rows().index(nRow, 1).data().toString(), QStringLiteral("-|-|-"));
    EXPECT_EQ(Rows().index(nRow, 3).data().toString(), QStringLiteral("255.255.0.0"));
  }
  int nAnswers = 0;
  const CDebugLineModel& lines = m_pDlg->DebugWindow()->Lines();
  for (int i = 0; i < lines.rowCount(); ++i) nAnswers += lines.Line(i).contains(QStringLiteral("Rx Data From IP <10.77.16.")) ? 1 : 0;
  EXPECT_GE(nAnswers, 6 * 6);  // a MAC and five fields from each printer

  ClickRow(*m_pDlg, 2);
  SaveScreenshot(*m_pDlg, "main");
  SaveScreenshot(*m_pDlg->DebugWindow(), "debug");
  m_pDlg->m_OnConfiguration = [](CZqIPCfgDlg& dialog) {
    dialog.show();
    dialog.Item<QLineEdit>(CZqIPCfgDlg::IDC_PRINTER_NAME)->setFocus();
    SaveScreenshot(dialog, "configuration");
    return int(QDialog::Rejected);
  };
  QTest::mouseClick(Button(CLumoraDlg::IDC_CONF), Qt::LeftButton);
}

// Configured from the window, the printer takes the new name and address:
// the next discovery lists it so.
TEST_F(LanWindow, ConfiguresAPrinterThatThenAnswersWithItsNewSettings) {
  auto sim = VirtualLan::StartSim({"--count", "3"});
  Open();
  RunDiscovery();
  ASSERT_EQ(Rows().rowCount(), 4);
  ClickRow(*m_pDlg, 2);
  const QString strMac = Rows().index(2, 4).data().toString();
  m_pDlg->m_OnConfiguration = [](CZqIPCfgDlg& dialog) {
    dialog.Item<QLineEdit>(CZqIPCfgDlg::IDC_PRINTER_NAME)->setText(QStringLiteral("Front Hall"));
    dialog.AddressControl(CZqIPCfgDlg::IDC_IP_ADDRESS)->SetAddress(QStringLiteral("10.77.40.9"));
    dialog.OnOK();
    return dialog.result();
  };
  QTest::mouseClick(Button(CLumoraDlg::IDC_CONF), Qt::LeftButton);
  const auto shown = LumoraMessageBox::TakeShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].strText, QStringLiteral("Printer parameters succesfully updated!"));
  EXPECT_EQ(m_pDlg->windowTitle(), QStringLiteral("lumora - Front Hall"));
  EXPECT_EQ(Rows().index(2, 2).data().toString(), QStringLiteral("10.77.40.9"));
  // Looked for at its new address, without holding the window.
  EXPECT_TRUE(WaitFor([&] { return m_pDlg->StatusLine()->text().endsWith(
                                QStringLiteral("verified at the new address (10.77.40.9)")); }, 10s))
      << m_pDlg->StatusLine()->text().toStdString();

  RunDiscovery();
  bool bFound = false;
  for (int nRow = 1; nRow < Rows().rowCount(); ++nRow) {
    if (Rows().index(nRow, 4).data().toString() != strMac) continue;
    bFound = true;
    EXPECT_EQ(Rows().index(nRow, 0).data().toString(), QStringLiteral("Front Hall"));
    EXPECT_EQ(Rows().index(nRow, 2).data().toString(), QStringLiteral("10.77.40.9"));
  }
  EXPECT_TRUE(bFound);
}
