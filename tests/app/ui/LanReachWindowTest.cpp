// The window inside the virtual LAN with a router (scripts/vlan --router):
// "Find printers by address..." reaches printers behind the router, which
// the list marks as outside this computer's subnet; screenshots of the
// window and of the reach dialogs (at the scale QT_SCALE_FACTOR gives).
#include "CHostListDlg.h"
#include "CInterfaceChoiceDlg.h"
#include "CReportDlg.h"
#include "UiTestSupport.h"
#include "VirtualLan.h"

#include <QLineEdit>

#include <fstream>
#include <set>

using namespace std::chrono_literals;
using VirtualLan::Env;

namespace {

class LanReachWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!VirtualLan::Inside() || Env("VLAN_FAR_NS").empty()) return;
    VirtualLan::AddPrinterAddresses(2);
    VirtualLan::AddAddresses(Env("VLAN_FAR_NS"), "10.99.16.", 2);
  }
  void SetUp() override {
    if (!VirtualLan::Inside() || Env("VLAN_FAR_NS").empty()) GTEST_SKIP() << "needs the virtual LAN with --router";
    CLumoraApp& app = m_App.Get();
    app.dwMaxDiscoveryTry = 2;
    app.dwMaxNoDataReadTry = 1;
    app.dwReciveThreadTimeout = 150;
    app.dwRxThreadIdleTimeout = 0;
  }
  void TearDown() override { std::filesystem::remove(CReachPreferences::DefaultPath()); }
  // Shows the dialog, lets `act` fill it in, saves its screenshot and
  // closes it with `nResult`.
  template <typename Dialog>
  void Through(void (CLumoraDlg::*pItem)(), const char* szShot, int nResult, const std::function<void(Dialog&)>& act) {
    m_Dlg.m_OnDialog = [&](QDialog& dialog) {
      auto& typed = dynamic_cast<Dialog&>(dialog);
      typed.show();
      act(typed);
      SaveScreenshot(typed, szShot);
      typed.done(nResult);
      return nResult;
    };
    (m_Dlg.*pItem)();
  }

  AutoAnswer m_Answer;
  TestApp m_App;
  TestDlg m_Dlg{m_App.Get()};
};

}  // namespace

TEST_F(LanReachWindow, FindsPrintersBehindARouterByAddressAndMarksThem) {
  auto near = VirtualLan::StartSim({"--count", "2"});
  TempDir dir;
  const std::filesystem::path config = dir.path() / "far.conf";
  std::ofstream(config) << "ip=10.99.16.1 mac=02-4C-30-00-00-01 name=Annex-1 mask=255.255.0.0 gateway=10.99.0.1\n"
                           "ip=10.99.16.2 mac=02-4C-30-00-00-02 name=Annex-2 mask=255.255.0.0 gateway=10.99.0.1\n";
  auto far = VirtualLan::StartSimIn(Env("VLAN_FAR_NS"), {"--config", config.string()});
  m_Dlg.OnInitDialog();
  m_Dlg.show();
  Through<CInterfaceChoiceDlg>(&CLumoraDlg::OnNetworkInterfaces, "interfaces", QDialog::Rejected,
                               [](CInterfaceChoiceDlg& dialog) { dialog.SetChecked(QStringLiteral("eth0"), true); });
  Through<CHostListDlg>(&CLumoraDlg::OnFindByAddress, "find-by-address", QDialog::Accepted, [](CHostListDlg& dialog) {
    dialog.Edit().setText(QStringLiteral("10.99.16.1-10.99.16.4"));
  });

  RunToEnd(m_Dlg, 60s);

  const CDeviceListModel& rows = m_Dlg.DeviceList().Model();
  std::set<QString> found, marked;
  for (int nRow = 1; nRow < rows.rowCount(); ++nRow) {
    const QString strIp = rows.index(nRow, 2).data().toString();
    found.insert(strIp);
    if (!rows.GetRow(nRow)->strWarning.isEmpty()) marked.insert(strIp);
  }
  EXPECT_EQ(found, (std::set<QString>{"10.77.16.1", "10.77.16.2", "10.99.16.1", "10.99.16.2"}));
  EXPECT_EQ(marked, (std::set<QString>{"10.99.16.1", "10.99.16.2"}));
  EXPECT_EQ(rows.index(rows.rowCount() - 1, 4).data().toString(), QStringLiteral("02-4C-30-00-00-02"));
  m_Dlg.DeviceList().SelectRow(3);
  SaveScreenshot(m_Dlg, "main-outsiders");

  Through<CReportDlg>(&CLumoraDlg::OnDiscoveryReport, "report", QDialog::Rejected, [](CReportDlg& dialog) {
    EXPECT_TRUE(dialog.Report().contains(QStringLiteral("unicast  4 addresses asked, 2 answered\n")))
        << dialog.Report().toStdString();
  });
}
