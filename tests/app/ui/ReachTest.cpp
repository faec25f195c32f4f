// The window's reach: its menu, the interface and host choices (used by the
// next Start, remembered for the next window), the report of the last run,
// and the warning on rows of printers outside this computer's subnets.
#include "CHostListDlg.h"
#include "CInterfaceChoiceDlg.h"
#include "CReportDlg.h"
#include "LumoraResources.h"
#include "UiTestSupport.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

using namespace std::chrono_literals;

namespace {

class Reach : public ::testing::Test {
 protected:
  void TearDown() override {
    std::filesystem::remove(CReachPreferences::DefaultPath());  // no choice left for the next test
  }

  // A window on a fake transport whose computer has eth0 10.77.0.2/16 and
  // eth1 10.88.0.2/16.
  std::unique_ptr<TestDlg> Open(std::vector<SimPrinter> printers = {}) {
    m_App.Get().dwReciveThreadTimeout = 20;
    m_App.Get().dwRxThreadIdleTimeout = 2;
    auto pTransport = std::make_unique<FakeTransport>();
    pTransport->m_Interfaces = {UpCard(L"eth0", 0x0A4D0002), UpCard(L"eth1", 0x0A580002)};
    pTransport->m_Responder = PrinterResponder(printers);
    auto pDlg = std::make_unique<TestDlg>(m_App.Get(), std::move(pTransport));
    pDlg->OnInitDialog();
    pDlg->show();
    return pDlg;
  }
  // Runs the dialog the menu item opens through `act` and returns its result.
  template <typename Dialog>
  static int Through(TestDlg& dlg, void (CLumoraDlg::*pItem)(), std::function<int(Dialog&)> act) {
    int nResult = -1;
    dlg.m_OnDialog = [&](QDialog& dialog) {
      auto* pDialog = dynamic_cast<Dialog*>(&dialog);
      EXPECT_NE(pDialog, nullptr);
      nResult = pDialog ? act(*pDialog) : QDialog::Rejected;
      return nResult;
    };
    (dlg.*pItem)();
    return nResult;
  }
  // Runs the interface choice through `act`, which returns the result.
  static void Choose(TestDlg& dlg, std::function<int(CInterfaceChoiceDlg&)> act) {
    Through<CInterfaceChoiceDlg>(dlg, &CLumoraDlg::OnNetworkInterfaces, std::move(act));
  }

  AutoAnswer m_Answer;
  TestApp m_App;
};

}  // namespace

TEST_F(Reach, SystemMenuHoldsTheReachItemsAfterAboutAndOpensFromTheKeyboard) {
  auto pDlg = Open();
  QMenu menu;
  pDlg->BuildSystemMenu(menu);
  QStringList texts;
  for (const QAction* pAction : menu.actions()) texts << pAction->text().remove(QLatin1Char('&'));
  EXPECT_EQ(texts.mid(0, 5), QStringList({"About Lumora...", "", "Network interfaces...",
                                          "Find printers by address...", "Discovery report..."}));
  QStringList shown;
  QTimer::singleShot(0, [&] {
    if (QWidget* pPopup = QApplication::activePopupWidget()) {
      for (const QAction* pAction : pPopup->actions()) shown << pAction->text().remove(QLatin1Char('&'));
      pPopup->close();
    }
  });
  QApplication::setActiveWindow(pDlg.get());  // shortcuts go to the active window
  QTest::keyClick(pDlg.get(), Qt::Key_Space, Qt::AltModifier);
  EXPECT_EQ(shown, texts);
}

TEST_F(Reach, InterfaceChoiceCountsFromTheNextStartAndIsRememberedUntilDropped) {
  m_App.Get().szInterfaces = L"eth0";
  auto interfaces = [](TestDlg& dlg) { return dlg.GetDiscoverySettings().strInterfaces; };
  auto pDlg = Open();
  auto reopen = [&] {  // the old window goes first, as a user closes it
    pDlg.reset();
    pDlg = Open();
  };
  Choose(*pDlg, [](CInterfaceChoiceDlg& dialog) {
    EXPECT_TRUE(dialog.IsChecked(QStringLiteral("eth0")));  // lumora.ini's choice, shown
    dialog.SetChecked(QStringLiteral("eth0"), false);
    dialog.SetChecked(QStringLiteral("eth1"), true);
    return int(QDialog::Accepted);
  });
  EXPECT_EQ(interfaces(*pDlg), L"eth1");
  reopen();
  EXPECT_EQ(interfaces(*pDlg), L"eth1");
  Choose(*pDlg, [](CInterfaceChoiceDlg& dialog) {
    EXPECT_TRUE(dialog.IsChecked(QStringLiteral("eth1")));
    EXPECT_FALSE(dialog.IsChecked(QStringLiteral("eth0")));
    dialog.SetChecked(QStringLiteral("eth1"), false);  // none: the single broadcast, not lumora.ini's eth0
    return int(QDialog::Accepted);
  });
  EXPECT_EQ(interfaces(*pDlg), L"");
  reopen();
  EXPECT_EQ(interfaces(*pDlg), L"");
  Choose(*pDlg, [](CInterfaceChoiceDlg& dialog) {
    dialog.SetChecked(QStringLiteral("All"), true);
    return int(QDialog::Accepted);
  });
  EXPECT_EQ(interfaces(*pDlg), L"all");
  Choose(*pDlg, [](CInterfaceChoiceDlg& dialog) {
    dialog.UseIniFile();
    return dialog.result();
  });
  EXPECT_EQ(interfaces(*pDlg), L"eth0");
  reopen();
  EXPECT_EQ(interfaces(*pDlg), L"eth0");
}

TEST_F(Reach, HostListIsCheckedAsTypedAndOnlyAValidOneIsTaken) {
  auto pDlg = Open();
  const int nResult = Through<CHostListDlg>(*pDlg, &CLumoraDlg::OnFindByAddress, [](CHostListDlg& dialog) {
    dialog.show();
    // Each fault's words: CHostListTest.
    const std::pair<const char*, const char*> cases[] = {
        {"10.20.0.0/19", "Not a valid list: '10.20.0.0/19' holds 8190 addresses"},
        {"", "No printer is asked by address."},
        {" 10.99.16.1-10.99.16.4, 10.99.20.7 ", "5 addresses are asked at the next Start."},
    };
    for (const auto& [szText, szVerdict] : cases) {
      dialog.Edit().setText(QString::fromLatin1(szText));
      EXPECT_TRUE(dialog.Verdict().startsWith(QLatin1String(szVerdict))) << dialog.Verdict().toStdString();
      EXPECT_EQ(dialog.Buttons().button(QDialogButtonBox::Ok)->isEnabled(), dialog.IsValid()) << szText;
      if (dialog.IsValid()) continue;
      QTest::keyClick(&dialog.Edit(), Qt::Key_Return);  // refused: the dialog stays
      EXPECT_TRUE(dialog.isVisible()) << szText;
    }
    QTest::keyClick(&dialog.Edit(), Qt::Key_Return);
    return dialog.result();
  });
  EXPECT_EQ(nResult, QDialog::Accepted);
  const CDiscoverySettings settings = pDlg->GetDiscoverySettings();
  EXPECT_EQ(settings.strHosts, L"10.99.16.1-10.99.16.4, 10.99.20.7");
  EXPECT_EQ(settings.btBroadcast, 1u);  // beside the broadcast
  pDlg.reset();
  EXPECT_EQ(Open()->GetDiscoverySettings().strHosts, L"10.99.16.1-10.99.16.4, 10.99.20.7");
}

TEST_F(Reach, ReportShowsTheLastRun) {
  auto pDlg = Open({{"10.77.16.1", "02-00-5E-00-00-01", "Quill-1", "Kestrel 2", "255.255.0.0", "10.77.0.1", "1"}});
  auto report = [&] {
    std::pair<QString, QString> shown;
    Through<CReportDlg>(*pDlg, &CLumoraDlg::OnDiscoveryReport, [&](CReportDlg& dialog) {
      shown = {dialog.Note(), dialog.Report()};
      return int(QDialog::Rejected);
    });
    return shown;
  };
  EXPECT_TRUE(report().first.startsWith(QStringLiteral("No discovery has run yet")));
  EXPECT_TRUE(report().second.isEmpty());
  ::RunToEnd(*pDlg);
  const auto [strNote, strReport] = report();
  EXPECT_TRUE(strNote.contains(QStringLiteral("lumora-cli discover --report"))) << strNote.toStdString();
  EXPECT_TRUE(strReport.startsWith(QStringLiteral("DISCOVERY REPORT\n"))) << strReport.toStdString();
  EXPECT_TRUE(strReport.contains(QStringLiteral("  printers found      1\n"))) << strReport.toStdString();
}

// The warning adds an overlay and a tooltip; texts and order stay.
TEST_F(Reach, PrintersOutsideThisComputersSubnetsAreMarked) {
  auto pDlg = Open({{"10.88.16.1", "02-00-5E-00-00-01", "Near", "Kestrel 2", "255.255.0.0", "10.88.0.1", "1"},
                    {"192.168.7.50", "02-00-5E-00-00-02", "Lobby", "Heron 8", "255.255.255.0", "", "0"}});
  ::RunToEnd(*pDlg);
  const CDeviceListModel& rows = pDlg->DeviceList().Model();
  ASSERT_EQ(rows.rowCount(), 3);
  auto image = [&](int nRow) { return rows.index(nRow, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(32).toImage(); };
  for (int nColumn = 0; nColumn < CDeviceListModel::kColumnCount; ++nColumn)
    EXPECT_EQ(rows.index(1, nColumn).data(Qt::ToolTipRole), rows.index(1, nColumn).data()) << nColumn;
  EXPECT_EQ(rows.index(2, 0).data().toString(), QStringLiteral("Lobby"));
  EXPECT_EQ(rows.index(2, 2).data().toString(), QStringLiteral("192.168.7.50"));
  const QString strTip = rows.index(2, 2).data(Qt::ToolTipRole).toString();
  EXPECT_TRUE(strTip.startsWith(QStringLiteral("192.168.7.50\nOutside this computer's subnets (10.77.0.0/16, 10.88.0.0/16)")))
      << strTip.toStdString();
  const QImage plain = LumoraResources::DeviceImage(rows.GetRow(2)->dwImage).pixmap(32).toImage();
  EXPECT_EQ(image(1), LumoraResources::DeviceImage(rows.GetRow(1)->dwImage).pixmap(32).toImage());
  EXPECT_NE(image(2), plain);
}
