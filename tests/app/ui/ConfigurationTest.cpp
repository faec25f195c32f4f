// The configuration dialog: what it shows for a printer, what OK accepts,
// and the SET exchange's outcomes in the window.
#include "CIPAddressCtrl.h"
#include "UiTestSupport.h"

#include <QCheckBox>
#include <QLineEdit>

using namespace std::chrono_literals;

namespace {

class Configuration : public WindowTest {
 protected:
  Configuration() {
    m_App.Get().dwRxEthTimeout = 50;
    m_pTransport->m_Interfaces = {UpCard(L"eth0", 0x0A4D0002)};  // for the check on OK
    Open();
  }
  // A printer as the discovery leaves it: MAC, address, and what it told.
  void AddPrinter(const std::wstring& strIp, const std::wstring& strMac, const std::wstring& strMask,
                  const std::wstring& strDhcp) {
    CDeviceTable& table = m_pDlg->Table();
    table.AddDeviceByMac(L"", L"", strIp, L"", strMac);
    table.UpdateNameByIp(L"Quill-9", strIp);
    if (!strMask.empty()) table.UpdateSubnetMaskByIp(strMask, strIp);
    table.UpdateGatewayByIp(L"10.77.0.1", strIp);
    table.UpdateDhcpByIp(strDhcp, strIp);
  }
  void Select(int nRow) {
    m_pDlg->DeviceList().SelectRow(nRow);
    m_pDlg->OnListClick();
  }
};

}  // namespace

TEST_F(Configuration, DialogIsPrefilledFromThePrinter) {
  struct Case {
    std::wstring strMask, strDhcp;
    QString strShownMask;
    bool bChecked, bCheckEnabled, bAddressesEnabled;
  };
  const Case cases[] = {
      {L"255.255.0.0", L"1", QStringLiteral("255.255.0.0"), true, true, false},
      {L"255.255.255.0", L"0", QStringLiteral("255.255.255.0"), false, true, true},
      {L"", L"", QStringLiteral("255.255.0.0"), false, false, true},  // the host's mask
      {L"255.0.0.0", L"OFF", QStringLiteral("255.0.0.0"), false, false, true},
  };
  int nRow = 1;
  for (const Case& c : cases) {
    const std::wstring strIp = L"10.77.16." + std::to_wstring(nRow);
    AddPrinter(strIp, L"02-00-5E-00-00-0" + std::to_wstring(nRow), c.strMask, c.strDhcp);
    Select(nRow++);
    bool bSeen = false;
    m_pDlg->m_OnConfiguration = [&](CZqIPCfgDlg& dialog) {
      bSeen = true;
      EXPECT_EQ(dialog.AddressControl(CZqIPCfgDlg::IDC_IP_ADDRESS)->GetAddress().toStdWString(), strIp);
      EXPECT_EQ(dialog.AddressControl(CZqIPCfgDlg::IDC_SUBNET_MASK)->GetAddress(), c.strShownMask);
      EXPECT_EQ(dialog.Item<QLineEdit>(CZqIPCfgDlg::IDC_PRINTER_NAME)->text(), QStringLiteral("Quill-9"));
      auto* pDhcp = dialog.Item<QCheckBox>(CZqIPCfgDlg::IDC_DHCP);
      EXPECT_EQ(pDhcp->isChecked(), c.bChecked);
      EXPECT_EQ(pDhcp->isEnabled(), c.bCheckEnabled);
      for (int nId : {CZqIPCfgDlg::IDC_IP_ADDRESS, CZqIPCfgDlg::IDC_SUBNET_MASK, CZqIPCfgDlg::IDC_GATEWAY})
        EXPECT_EQ(dialog.GetDlgItem(nId)->isEnabled(), c.bAddressesEnabled);
      return int(QDialog::Rejected);
    };
    m_pDlg->OnConf();
    EXPECT_TRUE(bSeen);
  }
  EXPECT_TRUE(m_pTransport->Sent().empty());  // Cancel sends nothing
}

TEST_F(Configuration, OkRefusesIncompleteInput) {
  CZqIPCfgDlg dialog(m_pDlg.get());
  dialog.SetIpAddress(L"10.77.16.1");
  dialog.SetSubnetMask(L"255.255.0.0");
  dialog.SetGateway(L"10.0.0.1");
  dialog.SetPrinterName(L"Quill-1");
  dialog.SetDhcp(L"0");
  int nChecks = 0;  // the settings check runs only after the dialog's own checks passed
  dialog.SetSettingsCheck([&](const CPrinterSettings&) {
    ++nChecks;
    return std::vector<CSettingsFinding>{};
  });
  dialog.OnInitDialog();
  dialog.show();
  QApplication::setActiveWindow(&dialog);

  // An empty third field: refused, and that field gets the focus, not the
  // "0" before it.
  CIPAddressCtrl* pGateway = dialog.AddressControl(CZqIPCfgDlg::IDC_GATEWAY);
  pGateway->Field(2)->clear();
  dialog.OnOK();
  EXPECT_TRUE(pGateway->Field(2)->hasFocus());
  auto shown = LumoraMessageBox::TakeShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].strText, QStringLiteral("Please select a valid IP address!"));
  EXPECT_EQ(shown[0].icon, LumoraMessageBox::kError);
  EXPECT_FALSE(dialog.result() == QDialog::Accepted);
  pGateway->Field(2)->setText(QStringLiteral("0"));

  // The name takes 16 characters at most and may not be empty.
  auto* pName = dialog.Item<QLineEdit>(CZqIPCfgDlg::IDC_PRINTER_NAME);
  pName->clear();
  QTest::keyClicks(pName, QStringLiteral("ABCDEFGHIJKLMNOPQ"));
  EXPECT_EQ(pName->text(), QStringLiteral("ABCDEFGHIJKLMNOP"));
  pName->clear();
  dialog.OnOK();
  shown = LumoraMessageBox::TakeShown();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].strText, QStringLiteral("Please select a valid printer name!"));
  EXPECT_EQ(nChecks, 0);

  pName->setText(QStringLiteral("Quill-2"));
  QTest::mouseClick(dialog.Item<QCheckBox>(CZqIPCfgDlg::IDC_DHCP), Qt::LeftButton);
  EXPECT_FALSE(dialog.GetDlgItem(CZqIPCfgDlg::IDC_GATEWAY)->isEnabled());
  dialog.OnOK();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(nChecks, 1);
  EXPECT_EQ(dialog.GetSubnetMask(), L"255.255.0.0");
  EXPECT_EQ(dialog.GetPrinterName(), L"Quill-2");
  EXPECT_EQ(dialog.GetDhcp(), L"1");
}

// The SET's message, and the row and title changed only when the printer
// confirmed. (Strangers' answers, silence, attempts: CConfigurationExchangeTest.)
TEST_F(Configuration, SetOutcomesReachRowTitleAndMessage) {
  const std::string strAddressee = "<MAC:02-00-5E-00-00-01>";
  auto answer = [](const std::string& text) {
    return Reception::Datagram("<ZQ><STSMOA><" + text + ">", L"10.77.16.1");
  };
  struct Case {
    const char* szName;
    std::vector<Reception> answers;
    QString strMessage;
    LumoraMessageBox::Icon icon;
    bool bApplied;
  };
  const Case cases[] = {
      {"confirmed", {answer("<SET>" + strAddressee + "\x06")},
       QStringLiteral("Printer parameters succesfully updated!"), LumoraMessageBox::kNoIcon, true},
      {"refused", {answer("<SET>" + strAddressee + "\x15")},
       QStringLiteral("Unable to modify printer parameters! Please try again later."), LumoraMessageBox::kError, false},
      {"without SET", {answer(strAddressee + "\x06")},
       QStringLiteral("Unable to modify printer parameters! Trouble in socket comunication."),
       LumoraMessageBox::kError, false},
  };
  int nRun = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.szName);
    m_pDlg->Table().Clear();
    m_pDlg->ResetDeviceList();
    AddPrinter(L"10.77.16.1", L"02-00-5E-00-00-01", L"255.255.0.0", L"1");
    Select(1);
    const std::wstring strNewName = L"Hall-" + std::to_wstring(++nRun);
    m_pTransport->m_Responder = [&c](const std::wstring& strMessage, std::deque<Reception>& queue) {
      if (strMessage.starts_with(L"<ZQ><STSMOQ><SET>"))
        for (const Reception& r : c.answers) queue.push_back(r);
    };
    m_pDlg->m_OnConfiguration = [&](CZqIPCfgDlg& dialog) {
      dialog.Item<QLineEdit>(CZqIPCfgDlg::IDC_PRINTER_NAME)->setText(QString::fromStdWString(strNewName));
      dialog.OnOK();
      return dialog.result();
    };
    m_pDlg->OnConf();

    const auto shown = LumoraMessageBox::TakeShown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].strText, c.strMessage);
    EXPECT_EQ(shown[0].icon, c.icon);
    const QString strRowName = m_pDlg->DeviceList().Model().index(1, 0).data().toString();
    EXPECT_EQ(strRowName == QString::fromStdWString(strNewName), c.bApplied);
    EXPECT_EQ(m_pDlg->windowTitle().endsWith(QString::fromStdWString(strNewName)), c.bApplied);
    EXPECT_EQ(m_pDlg->DeviceList().FirstSelectedRow(), 1);  // a refreshed row stays selected
    std::wstring strRecordName;
    EXPECT_TRUE(m_pDlg->GetDeviceName(0, strRecordName));
    EXPECT_EQ(strRecordName, strNewName);  // the record keeps what was sent
    m_pDlg->WaitForVerification();  // it broadcasts the discovery request after the SET
    std::wstring strSet;
    for (const SentMessage& m : m_pTransport->Sent())
      if (m.strText.starts_with(L"<ZQ><STSMOQ><SET>")) strSet = m.strText;
    EXPECT_EQ(strSet, L"<ZQ><STSMOQ><SET><MAC:02-00-5E-00-00-01><S_NAME><" + strNewName +
                          L"><S_IPADD><10.77.16.1><S_SNM><255.255.0.0><S_GTW><10.77.0.1><S_DHCP><1>");
  }
}
