#include "CZqDebugDld.h"

#include "CConsoleDiscoveryOwner.h"
#include "CDebugLineModel.h"
#include "CDebugLogView.h"
#include "CLumoraDlg.h"
#include "DialogTemplates.h"
#include "LumoraResources.h"

#include <QAbstractButton>

CZqDebugDld::CZqDebugDld(CLumoraDlg* pParent)
    : CTemplateDialog(DialogTemplates::Debug(), pParent), m_pParent(pParent) {
  setWindowFlag(Qt::Window);
  setModal(false);
  m_pLines = new CDebugLineModel(this);
  BuildFromTemplate();
  m_pLog->SetModel(m_pLines);
  m_bAutoScroll = 1;  // set when the controls are bound
  m_pLog->SetAutoScroll(true);
  Wire(IDC_GET_FULL_STS, &CLumoraDlg::OnGetFullStatus);
  Wire(IDC_GET_DEV_ID, &CLumoraDlg::OnGetDeviceId);
  Wire(IDC_TEST, &CLumoraDlg::OnTest);
  Wire(IDC_CLEAR_LIST, &CLumoraDlg::OnClearList);
  Wire(IDC_ADD_ITEM, &CLumoraDlg::OnAddItem);
  Wire(IDC_REFRESH_ITEM, &CLumoraDlg::OnRefreshItem);
}

QWidget* CZqDebugDld::CreateControl(const ControlSpec& spec) {
  if (spec.nId != IDC_LOG) return CTemplateDialog::CreateControl(spec);
  m_pLog = new CDebugLogView;
  return m_pLog;
}

// Each button runs its handler in the main window only while that window
// still exists.
void CZqDebugDld::Wire(int nId, void (CLumoraDlg::*pHandler)()) {
  auto* pButton = Item<QAbstractButton>(nId);
  if (pButton == nullptr) return;
  connect(pButton, &QAbstractButton::clicked, this, [this, pHandler] {
    if (m_pParent) (m_pParent.data()->*pHandler)();
  });
}

BOOL CZqDebugDld::OnInitDialog() {
  setWindowIcon(LumoraResources::Icon(LumoraResources::kIconMain));
  return 1;
}

// The stamp of lumora-cli's console: local time from the C library, which
// looks the time zone up once, where QTime asks the file system at every call.
QString CZqDebugDld::TimeStamped(const QString& strText) {
  return QString::fromStdWString(CConsoleDiscoveryOwner::TimeStamped(std::wstring())) + strText;
}

void CZqDebugDld::AddLine(const QString& strText) { AddStampedLines({TimeStamped(strText)}); }

void CZqDebugDld::AddStampedLines(std::vector<QString> lines) {
  m_pLines->Append(std::move(lines), [this](const QString& strLine, int nWidest) {
    return m_pLog->WidthIfWider(strLine, nWidest);
  });
}

BOOL CZqDebugDld::EnableQueryButtons(DWORD dwMask) {
  const bool bEnable = (dwMask & kQueryButtonsBit) != 0;
  EnableItem(IDC_GET_FULL_STS, bEnable);
  EnableItem(IDC_GET_DEV_ID, bEnable);
  return 1;
}

BOOL CZqDebugDld::SetSummary(const QString& strText) {
  SetItemText(IDC_SUMMARY, strText);
  return 1;
}
