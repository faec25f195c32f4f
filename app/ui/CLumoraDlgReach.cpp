// CLumoraDlg: how far a discovery reaches. The window's menu offers
// "Network interfaces..." and "Find printers by address..." (choices used
// by the next Start in place of lumora.ini's szInterfaces and szHosts, and
// remembered in lumora-ui.ini) and "Discovery report..."; rows of printers
// outside this computer's subnets carry a warning.
#include "CDeviceListCtrl.h"
#include "CDeviceListModel.h"
#include "CHostListDlg.h"
#include "CInterfaceChoiceDlg.h"
#include "CLumoraApp.h"
#include "CLumoraDlg.h"
#include "CReportDlg.h"
#include "DiscoveryReportText.h"
#include "LumoraMessageBox.h"
#include "LumoraResources.h"

#include <QKeySequence>
#include <QMenu>
#include <QShortcut>

void CLumoraDlg::AddReachItems(QMenu& menu) {
  menu.addAction(QStringLiteral("&Network interfaces..."), this, &CLumoraDlg::OnNetworkInterfaces);
  menu.addAction(QStringLiteral("Find printers by &address..."), this, &CLumoraDlg::OnFindByAddress);
  menu.addAction(QStringLiteral("Discovery &report..."), this, &CLumoraDlg::OnDiscoveryReport);
}

// The window's menu from the keyboard: Alt+Space, as the title bar's menu
// opens, and F10, in case the desktop keeps Alt+Space for itself. It opens
// at the top left corner of the window's client area.
void CLumoraDlg::InitWindowMenuKeys() {
  for (const QKeySequence& keys : {QKeySequence(Qt::ALT | Qt::Key_Space), QKeySequence(Qt::Key_F10)}) {
    auto* pShortcut = new QShortcut(keys, this);  // owned by the window
    connect(pShortcut, &QShortcut::activated, this, [this] { ShowWindowMenu(mapToGlobal(QPoint(0, 0))); });
  }
}

void CLumoraDlg::InitReach() {
  m_Reach.Load();
  RefreshLocalSubnets();
  std::vector<QIcon> warned;
  for (int i = 0; i < LumoraResources::kDeviceImageCount; ++i)
    warned.push_back(LumoraResources::WarnedDeviceImage(static_cast<DWORD>(i)));
  m_pList->Model().SetWarnedImages(std::move(warned));
}

// Read when a run starts, before its worker uses the transport.
// The warning text is made here, once, not for every row it marks.
void CLumoraDlg::RefreshLocalSubnets() {
  m_LocalSubnets = CLocalSubnets(m_pWorker->GetTransport().ListInterfaces());
  m_strOutsiderWarning =
      QStringLiteral("Outside this computer's subnets (%1): reached through a router, or its address "
                     "is wrong. To use it here, give it an address of this subnet with Conf.")
          .arg(QString::fromStdWString(m_LocalSubnets.Describe()));
}

void CLumoraDlg::NoteRunStart() {
  RefreshLocalSubnets();
  m_bRunStarted = true;
}

QString CLumoraDlg::OutsiderWarning(const std::wstring& strIpAddress) const {
  return m_LocalSubnets.IsOutside(strIpAddress) ? m_strOutsiderWarning : QString();
}

int CLumoraDlg::RunDialog(QDialog& dialog) { return dialog.exec(); }

void CLumoraDlg::OnNetworkInterfaces() {
  CInterfaceChoiceDlg dialog(m_pWorker->GetTransport().ListInterfaces(),
                             m_Reach.InterfacesOr(m_App.szInterfaces), this);
  if (RunDialog(dialog) != QDialog::Accepted) return;
  m_Reach.interfaces = dialog.Choice();
  SaveReach();
}

void CLumoraDlg::OnFindByAddress() {
  CHostListDlg dialog(m_Reach.HostsOr(m_App.szHosts), this);
  if (RunDialog(dialog) != QDialog::Accepted) return;
  m_Reach.hosts = dialog.Choice();
  SaveReach();
}

// The choice counts from the next Start even when it cannot be kept.
void CLumoraDlg::SaveReach() {
  PublishSettings();
  std::wstring strError;
  if (m_Reach.Save(strError)) return;
  LumoraMessageBox::Show(this, AppName(),
                         QStringLiteral("The choice counts until Lumora ends, but it cannot be remembered: %1")
                             .arg(QString::fromStdWString(strError)),
                         LumoraMessageBox::kExclamation);
}

void CLumoraDlg::OnDiscoveryReport() {
  QString strNote, strReport;
  if (!m_bRunStarted) {
    strNote = QStringLiteral("No discovery has run yet. Press Start, then look here again.");
  } else {
    strNote = IsRunActive() ? QStringLiteral("A discovery is running; this is its report so far.")
                            : QStringLiteral("The last discovery, as lumora-cli discover --report tells it:");
    strReport = QString::fromStdString(DiscoveryReportText::Text(m_pWorker->GetReport()));
  }
  CReportDlg dialog(strNote, strReport, this);
  RunDialog(dialog);
}
