#include "CZqDebugDld.h"

#include "CDebugLineModel.h"
#include "CDebugLogView.h"
#include "CLumoraDlg.h"
#include "DialogTemplates.h"
#include "LumoraResources.h"

#include <QAbstractButton>
#include <QTime>

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

QString CZqDebugDld::TimeStamped(const QString& strText) {
  const QTime now = QTime::currentTime();
  return QString::asprintf("[%02d:%02d:%02d:%03d], ", now.hour(), now.minute(), now.second(),
                           now.msec()) +
         strText;
}

void CZqDebugDld::AddLine(const QString& strText) {
  QString strLine = TimeStamped(strText);
  const int nWidth = m_pLog->WidthIfWider(strLine, m_pLines->MaxWidth());
  m_pLines->Append(std::move(strLine), nWidth);
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
