// CLumoraDlg: from found to printing — the system menu's entries that install
// the selected printer and show its status.
#include "CInstallPrinterDlg.h"
#include "CLumoraDlg.h"
#include "CPrinterStatusPanel.h"
#include "LumoraStrings.h"
#include "LumoraText.h"

#include <QAction>
#include <QMenu>

void CLumoraDlg::BuildSystemMenu(QMenu& menu) {
  const QString strAbout = LumoraText(LumoraStrings::kAbout);
  if (!strAbout.isEmpty()) menu.addAction(strAbout, this, [this] { OnSysCommand(kSysCommandAbout); });
  if (!menu.isEmpty()) menu.addSeparator();
  AddReachItems(menu);
  menu.addSeparator();
  AddPrinterActions(menu);
  menu.addAction(tr("Export list..."), this, &CLumoraDlg::OnExportList);
}

void CLumoraDlg::AddPrinterActions(QMenu& menu) {
  const bool bPrinter = Record(m_nSelectedDevice) != nullptr && !IsRunActive() && !m_bBusy;
  menu.addAction(tr("Install printer..."), this, &CLumoraDlg::OnInstallPrinter)->setEnabled(bPrinter);
  menu.addAction(tr("Printer status..."), this, &CLumoraDlg::OnPrinterStatus)->setEnabled(bPrinter);
}

int CLumoraDlg::RunInstallDialog(CInstallPrinterDlg& dialog) { return dialog.exec(); }

void CLumoraDlg::OnInstallPrinter() {
  const _DeviceInfo* pDevice = Record(m_nSelectedDevice);
  if (pDevice == nullptr || IsRunActive()) return;
  CInstallPrinterDlg dialog(*pDevice, this);
  RunInstallDialog(dialog);
}

void CLumoraDlg::OnPrinterStatus() {
  const _DeviceInfo* pDevice = Record(m_nSelectedDevice);
  if (pDevice == nullptr) return;
  if (m_pStatusPanel == nullptr) m_pStatusPanel = new CPrinterStatusPanel(this);
  m_pStatusPanel->ShowPrinter(pDevice->strIpAddress,
                              QString::fromStdWString(pDevice->strName + L", " + pDevice->strIpAddress));
}
