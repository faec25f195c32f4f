// CLumoraDlg: configuration of the selected printer, its web page and the
// About box.
#include "AboutBox.h"
#include "CDeviceListCtrl.h"
#include "CLumoraDlg.h"
#include "CWebPageOpener.h"
#include "CZqIPCfgDlg.h"
#include "EnginePlatform.h"
#include "LumoraMessageBox.h"
#include "LumoraStrings.h"
#include "LumoraText.h"
#include "ShellErrors.h"

#include <corvane/CCNetCardInfo.h>

#include <QApplication>

void CLumoraDlg::ReadDefaultCard(CardValues& values) const {
  const CCNetCardInfo card;
  values.strIpAddress = card.GetNetCardIPAddress();
  values.strSubnetMask = card.GetNetCardSubnetMask();
  values.strGateway = card.GetNetCardGateWay();
  values.strMacAddress = card.GetNetCardMACAddress();
}

void CLumoraDlg::OnConf() {
  if (m_nSelectedDevice == -1) {
    LumoraMessageBox::Show(this, AppName(), LumoraText(LumoraStrings::kNoDeviceSelected), LumoraMessageBox::kError);
    return;
  }
  // The host's own settings stand for whatever the printer did not tell.
  CardValues card;
  ReadDefaultCard(card);
  std::wstring strName, strIp = card.strIpAddress, strGateway = card.strGateway, strDhcp;
  std::wstring strMask = card.strSubnetMask, strMac = card.strMacAddress;
  GetDeviceName(m_nSelectedDevice, strName);
  GetDeviceIpAddress(m_nSelectedDevice, strIp);
  GetDeviceGateway(m_nSelectedDevice, strGateway);
  GetDeviceDhcp(m_nSelectedDevice, strDhcp);
  GetDeviceSubnetMask(m_nSelectedDevice, strMask);
  GetDeviceMacAddress(m_nSelectedDevice, strMac);
  if (strMask == CDeviceTable::kNoSubnetMask) strMask = card.strSubnetMask;

  CZqIPCfgDlg dialog(this);
  dialog.SetIpAddress(strIp);
  dialog.SetSubnetMask(strMask);
  dialog.SetPrinterName(strName);
  dialog.SetGateway(strGateway);
  dialog.SetDhcp(strDhcp);
  dialog.SetSettingsCheck(MakeSettingsCheck(strMac));
  if (RunConfigurationDialog(dialog) != QDialog::Accepted) return;
  ApplyConfiguration(m_nSelectedDevice, dialog.GetPrinterName(), dialog.GetIpAddress(),
                     dialog.GetSubnetMask(), dialog.GetGateway(), strMac, dialog.GetDhcp());
}

int CLumoraDlg::RunConfigurationDialog(CZqIPCfgDlg& dialog) { return dialog.DoModal(); }

int CLumoraDlg::ApplyConfiguration(int nIndex, const std::wstring& strName, const std::wstring& strIp,
                                   const std::wstring& strMask, const std::wstring& strGateway,
                                   const std::wstring& strMac, const std::wstring& strDhcp) {
  if (nIndex < 0 || static_cast<DWORD>(nIndex) >= GetDeviceCount()) return 0;
  const _DeviceInfo& before = *m_Table.GetDevice(static_cast<DWORD>(nIndex));
  const CPrinterSettings old{before.strName, before.strIpAddress, before.strSubnetMask, before.strGateway,
                             before.strDhcp};
  // The record keeps the new values whatever the printer answers.
  m_Table.SetDeviceConfiguration(static_cast<DWORD>(nIndex), strName, strIp, strMask, strGateway);
  const DWORD dwResult = SendSetCommand(strIp, strName, strMask, strGateway, strMac, strDhcp);
  AfterSetCommand(strMac, old, {strName, strIp, strMask, strGateway, strDhcp});
  if (dwResult == 0) {
    const _DeviceInfo& record = *m_Table.GetDevice(static_cast<DWORD>(nIndex));
    UpdateDeviceRow(static_cast<DWORD>(nIndex + 1), record.dwImage, strName, record.strModel, strIp, strMask,
                    record.strMacAddress);
    setWindowTitle(QStringLiteral("%1 - %2").arg(AppName(), QString::fromStdWString(strName)));
  }
  return 1;
}

void CLumoraDlg::OnWeb() {
  const int nRow = m_pList->FirstSelectedRow();
  if (nRow <= 0) {
    LumoraMessageBox::Show(this, AppName(), LumoraText(LumoraStrings::kNoDeviceSelected), LumoraMessageBox::kError);
    return;
  }
  std::wstring strIp;
  GetDeviceIpAddress(nRow - 1, strIp);
  const int nResult = OpenUrl(QStringLiteral("http://%1/").arg(QString::fromStdWString(strIp)), kShowNormal);
  if (nResult <= ShellErrors::kLastError) {
    QApplication::beep();
    ReportShellError(nResult);
  }
}

int CLumoraDlg::OpenUrl(const QString& strUrl, int nShow) {
  return CWebPageOpener().OpenUrl(strUrl, nShow);
}

void CLumoraDlg::ReportShellError(int nCode) {
  LumoraMessageBox::Show(this, AppName(), QString::fromStdWString(ShellErrors::Message(nCode)),
                         LumoraMessageBox::kExclamation);
}

void CLumoraDlg::OnAbout() { ShowAboutBox(); }

void CLumoraDlg::ShowAboutBox() { AboutBox::Run(this, EnginePlatform::ExecutablePath()); }
