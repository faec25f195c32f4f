// Safe provisioning in the window: the configuration dialog's findings above
// OK, the look for the printer after a confirmed SET in the status line and
// the journal, the device rows' menu and the export of the list.
#include "CIPAddressCtrl.h"
#include "FileText.h"
#include "UiTestSupport.h"

#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>

#include <nlohmann/json.hpp>

namespace {

const std::string kMac = "02-00-5E-00-00-01";

class Provisioning : public WindowTest {
 protected:
  Provisioning() {
    m_pTransport->m_Interfaces = {UpCard(L"eth0", 0x0A4D0002)};
    m_App.Get().dwRxEthTimeout = 50;
    Open();
    CDeviceTable& table = m_pDlg->Table();
    table.AddDeviceByMac(L"", L"", L"10.77.16.1", L"", L"02-00-5E-00-00-01");
    table.UpdateNameByIp(L"Desk, \"A\"", L"10.77.16.1");
    table.UpdateSubnetMaskByIp(L"255.255.0.0", L"10.77.16.1");
    table.UpdateGatewayByIp(L"10.77.0.1", L"10.77.16.1");
    m_pDlg->DeviceList().SelectRow(1);
    m_pDlg->OnListClick();
  }
  // Runs Conf. with the new address and mask; OK pressed `oks` times.
  void Configure(const QString& strIp, const QString& strMask, int oks, QString* pFindings = nullptr) {
    m_pDlg->m_OnConfiguration = [&](CZqIPCfgDlg& dialog) {
      dialog.AddressControl(CZqIPCfgDlg::IDC_IP_ADDRESS)->SetAddress(strIp);
      dialog.AddressControl(CZqIPCfgDlg::IDC_SUBNET_MASK)->SetAddress(strMask);
      const int nHeight = dialog.height();
      for (int i = 0; i < oks && dialog.result() != QDialog::Accepted; ++i) dialog.OnOK();
      const bool bShown = !dialog.FindingsLabel()->isHidden();
      if (pFindings != nullptr) *pFindings = bShown ? dialog.FindingsLabel()->text() : QString();
      EXPECT_EQ(dialog.height() > nHeight, bShown);
      return dialog.result();
    };
    m_pDlg->OnConf();
    m_pDlg->WaitForVerification();
  }
  size_t SetsSent() const {
    size_t n = 0;
    for (const SentMessage& m : m_pTransport->Sent()) n += m.strText.starts_with(L"<ZQ><STSMOQ><SET>") ? 1 : 0;
    return n;
  }
  // The printer confirms every SET; at the new address it answers when `moves`.
  void PlayPrinter(bool bMoves) {
    m_pTransport->m_Responder = [](const std::wstring& strMessage, std::deque<Reception>& queue) {
      if (strMessage.starts_with(L"<ZQ><STSMOQ><SET>"))
        queue.push_back(Reception::Datagram("<ZQ><STSMOA><<SET><MAC:" + kMac + ">\x06>", L"10.77.16.1"));
    };
    if (bMoves)
      m_pTransport->m_BytesResponder =
          UnicastResponder({{"10.77.16.9", kMac, "Desk, \"A\"", "Q", "255.255.0.0", "10.77.0.1", ""}});
  }
  QString Status() { return m_pDlg->StatusLine()->text(); }
};

}  // namespace

TEST_F(Provisioning, FindingsShowAboveOkAndErrorsAskBeforeSending) {
  PlayPrinter(true);
  QString strFindings;
  LumoraMessageBox::SetAutoAnswer(QMessageBox::No);
  Configure(QStringLiteral("10.77.16.9"), QStringLiteral("255.0.255.0"), 3, &strFindings);
  EXPECT_TRUE(strFindings.startsWith(QStringLiteral("Error: The subnet mask 255.0.255.0 is not contiguous")));
  const auto asked = LumoraMessageBox::TakeShown();
  ASSERT_EQ(asked.size(), 3u);  // asked again at every OK
  EXPECT_EQ(asked[0].strText, QStringLiteral("Send anyway?"));
  EXPECT_EQ(SetsSent(), 0u);

  // A warning (another device answers ARP) holds the first OK back only.
  m_pDlg->m_Probe.strHolder = L"02-4C-00-00-01-01";
  LumoraMessageBox::SetAutoAnswer(QMessageBox::Ok);
  Configure(QStringLiteral("10.77.16.9"), QStringLiteral("255.255.0.0"), 1, &strFindings);
  EXPECT_EQ(strFindings, QStringLiteral("Warning: 10.77.16.9 is already in use: the device with the MAC "
                                        "address 02-4C-00-00-01-01 answers for it."));
  EXPECT_EQ(SetsSent(), 0u);
  Configure(QStringLiteral("10.77.16.9"), QStringLiteral("255.255.0.0"), 2);
  EXPECT_EQ(SetsSent(), 1u);
}

TEST_F(Provisioning, ConfirmedSetIsLookedForAndJournaled) {
  PlayPrinter(true);
  Configure(QStringLiteral("10.77.16.9"), QStringLiteral("255.255.0.0"), 1);
  ASSERT_TRUE(WaitFor([&] { return Status().contains(QLatin1String("verified")); }, std::chrono::seconds(5)));
  EXPECT_EQ(Status(), QStringLiteral("02-00-5E-00-00-01: verified at the new address (10.77.16.9)"));
  PlayPrinter(false);
  m_pTransport->m_BytesResponder = nullptr;
  Configure(QStringLiteral("10.77.16.10"), QStringLiteral("255.255.0.0"), 1);
  ASSERT_TRUE(WaitFor([&] { return Status().contains(QLatin1String("no answer")); }, std::chrono::seconds(5)));
  const std::string journal = FileText(m_App.JournalPath());
  EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 2);
  EXPECT_NE(journal.find(R"("old":{"dhcp":"","gateway":"10.77.0.1","ip":"10.77.16.1","name":"Desk, \"A\"")"),
            std::string::npos) << journal;
  EXPECT_NE(journal.find(R"("source":"lumora","time")"), std::string::npos);
  EXPECT_NE(journal.find(R"("verification":"no answer")"), std::string::npos);
}

TEST_F(Provisioning, DeviceMenuCopiesAndSystemMenuExports) {
  QMenu menu;
  m_pDlg->FillDeviceMenu(menu, 1);
  QStringList texts;
  for (QAction* pAction : menu.actions()) texts << pAction->text();
  EXPECT_EQ(texts, (QStringList{QStringLiteral("Configure..."), QStringLiteral("Open web page"),
                                QStringLiteral("Install printer..."), QStringLiteral("Printer status..."), QString(),
                                QStringLiteral("Copy row"), QStringLiteral("Copy MAC address"),
                                QStringLiteral("Copy IP address")}));
  menu.actions()[6]->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("02-00-5E-00-00-01"));
  menu.actions()[5]->trigger();
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("Desk, \"A\"\t-|-|-\t10.77.16.1\t255.255.0.0\t02-00-5E-00-00-01"));

  QMenu system;
  m_pDlg->BuildSystemMenu(system);
  const std::filesystem::path dir = m_App.LogPath().parent_path();
  m_pDlg->m_strExportPath = QString::fromStdString((dir / "list.csv").string());
  ASSERT_EQ(system.actions().back()->text(), QStringLiteral("Export list..."));
  system.actions().back()->trigger();
  EXPECT_EQ(FileText(dir / "list.csv"), "name,model,ip,subnet_mask,mac,gateway,dhcp\r\n"
                                        "\"Desk, \"\"A\"\"\",-|-|-,10.77.16.1,255.255.0.0,02-00-5E-00-00-01,10.77.0.1,\r\n");
  m_pDlg->m_strExportPath = QString::fromStdString((dir / "list.json").string());
  m_pDlg->OnExportList();
  const auto json = nlohmann::json::parse(FileText(dir / "list.json"));
  EXPECT_EQ(json.at(0).at("name"), "Desk, \"A\"");
  EXPECT_EQ(json.at(0).size(), 8u);
}
