#include "CZqIPCfgDlg.h"

#include "CButtonST.h"
#include "CIPAddressCtrl.h"
#include "DialogTemplates.h"
#include "LumoraMessageBox.h"
#include "LumoraResources.h"
#include "LumoraStrings.h"
#include "LumoraText.h"

#include "CSettingsCheck.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

namespace {
QString Text(const std::wstring& strText) { return QString::fromStdWString(strText); }

// Where the findings go: below the name group, above the buttons' frames,
// as wide as the groups (dialog units).
constexpr int kFindingsX = 7, kFindingsY = 149, kFindingsWidth = 146, kFindingsGap = 3;
}  // namespace

CZqIPCfgDlg::CZqIPCfgDlg(QWidget* pParent) : CTemplateDialog(DialogTemplates::Configuration(), pParent) {
  BuildFromTemplate();
  if (auto* pName = Item<QLineEdit>(IDC_PRINTER_NAME)) pName->setMaxLength(kMaxNameLength);
  if (auto* pDhcp = Item<QCheckBox>(IDC_DHCP))
    connect(pDhcp, &QCheckBox::clicked, this, &CZqIPCfgDlg::OnDhcpClicked);
  for (int nId : {IDOK, IDCANCEL}) {
    if (auto* pButton = Item<QAbstractButton>(nId)) {
      connect(pButton, &QAbstractButton::clicked, this, nId == IDOK ? &CZqIPCfgDlg::OnOK : &QDialog::reject);
    }
  }
  m_pFindings = new QLabel(this);
  m_pFindings->setObjectName(QStringLiteral("findings"));
  m_pFindings->setWordWrap(true);
  m_pFindings->setTextFormat(Qt::PlainText);
  m_pFindings->hide();
}

QWidget* CZqIPCfgDlg::CreateControl(const ControlSpec& spec) {
  if (spec.nId != IDOK && spec.nId != IDCANCEL) return CTemplateDialog::CreateControl(spec);
  auto* pButton = new CButtonST(QString::fromWCharArray(spec.szCaption));
  pButton->setDefault((spec.uStyle & ControlStyle::kDefault) != 0);
  return pButton;
}

void CZqIPCfgDlg::SetDhcp(const std::wstring& strText) {
  m_bDhcpKnown = strText == L"1" || strText == L"0";
  m_bDhcp = strText == L"1";
  RebuildDhcpText();
}

void CZqIPCfgDlg::RebuildDhcpText() { m_strDhcp = m_bDhcpKnown ? (m_bDhcp ? L"1" : L"0") : L""; }

CIPAddressCtrl* CZqIPCfgDlg::AddressControl(int nId) const { return Item<CIPAddressCtrl>(nId); }

BOOL CZqIPCfgDlg::OnInitDialog() {
  setWindowIcon(LumoraResources::Icon(LumoraResources::kIconMain));
  AddressControl(IDC_SUBNET_MASK)->SetAddress(Text(m_strSubnetMask));
  AddressControl(IDC_IP_ADDRESS)->SetAddress(Text(m_strIpAddress));
  AddressControl(IDC_GATEWAY)->SetAddress(Text(m_strGateway));
  if (m_bDhcpKnown) RebuildDhcpText();
  const std::pair<int, UINT> icons[] = {{IDOK, LumoraResources::kIconOk},
                                        {IDCANCEL, LumoraResources::kIconCancel}};
  for (const auto& [nId, uiIcon] : icons) {
    if (auto* pButton = Item<CButtonST>(nId)) {
      pButton->AssignIcon(LumoraResources::Icon(uiIcon));
      pButton->ShiftColor(CButtonST::BTNST_COLOR_BK_IN, 30, true);
    }
  }
  UpdateData(false);
  if (m_bDhcpKnown && m_bDhcp) EnableAddresses(false);
  if (!m_bDhcpKnown) EnableItem(IDC_DHCP, false);
  FocusFirstControl();
  return 1;
}

int CZqIPCfgDlg::DoModal() {
  OnInitDialog();
  return exec();
}

void CZqIPCfgDlg::UpdateData(bool bSaveAndValidate) {
  auto* pName = Item<QLineEdit>(IDC_PRINTER_NAME);
  auto* pDhcp = Item<QCheckBox>(IDC_DHCP);
  if (bSaveAndValidate) {
    m_strPrinterName = pName->text().left(kMaxNameLength).toStdWString();
    m_bDhcp = pDhcp->isChecked() ? 1 : 0;
  } else {
    pName->setText(Text(m_strPrinterName).left(kMaxNameLength));
    pDhcp->setChecked(m_bDhcp != 0);
  }
}

void CZqIPCfgDlg::EnableAddresses(bool bEnable) {
  for (int nId : {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_GATEWAY}) EnableItem(nId, bEnable);
}

void CZqIPCfgDlg::OnDhcpClicked() {
  UpdateData(true);
  EnableAddresses(m_bDhcp == 0);
  UpdateData(false);
}

bool CZqIPCfgDlg::CheckAddress(int nId) {
  CIPAddressCtrl* pControl = AddressControl(nId);
  if (pControl->FilledFieldCount() == CIPAddressCtrl::kFieldCount) return true;
  // The focus goes to the first field left empty: the one to fill in.
  for (int i = 0; i < CIPAddressCtrl::kFieldCount; ++i) {
    if (pControl->IsFieldBlank(i)) {
      pControl->SetFieldFocus(i);
      break;
    }
  }
  LumoraMessageBox::Show(this, QCoreApplication::applicationName(), LumoraText(LumoraStrings::kInvalidIpAddress),
                         LumoraMessageBox::kError);
  return false;
}

void CZqIPCfgDlg::OnOK() {
  for (int nId : {IDC_IP_ADDRESS, IDC_SUBNET_MASK, IDC_GATEWAY})
    if (!CheckAddress(nId)) return;
  UpdateData(true);
  if (m_strPrinterName.empty()) {
    LumoraMessageBox::Show(this, QCoreApplication::applicationName(),
                           LumoraText(LumoraStrings::kInvalidPrinterName), LumoraMessageBox::kError);
    return;
  }
  m_strIpAddress = AddressControl(IDC_IP_ADDRESS)->GetAddress().toStdWString();
  m_strSubnetMask = AddressControl(IDC_SUBNET_MASK)->GetAddress().toStdWString();
  m_strGateway = AddressControl(IDC_GATEWAY)->GetAddress().toStdWString();
  RebuildDhcpText();
  if (ConfirmFindings()) done(QDialog::Accepted);
}

bool CZqIPCfgDlg::ConfirmFindings() {
  if (!m_Check) return true;
  const CPrinterSettings proposed{m_strPrinterName, m_strIpAddress, m_strSubnetMask, m_strGateway,
                                  m_strDhcp};
  const bool bFresh = !m_Checked || *m_Checked != proposed;
  if (bFresh) {
    ShowFindingLines({tr("Checking the new settings...")});
    m_Findings = m_Check(proposed);
    m_Checked = proposed;
    QStringList lines;
    for (const CSettingsFinding& f : m_Findings)
      lines << (f.IsError() ? tr("Error: ") : tr("Warning: ")) + Text(f.strText);
    ShowFindingLines(lines);
  }
  if (CSettingsCheck::HasError(m_Findings))
    return LumoraMessageBox::Ask(this, QCoreApplication::applicationName(), tr("Send anyway?"),
                                 LumoraMessageBox::kExclamation) == QMessageBox::Yes;
  // Warnings are there to be read: the next OK with the same settings sends.
  return m_Findings.empty() || !bFresh;
}

void CZqIPCfgDlg::ShowFindingLines(const QStringList& lines) {
  const QRect area = Units().ToPixels(kFindingsX, kFindingsY, kFindingsWidth, 0);
  m_pFindings->setText(lines.join(QLatin1Char('\n')));
  const int nHeight =
      lines.isEmpty() ? 0 : m_pFindings->heightForWidth(area.width()) + Units().ToPixelsY(kFindingsGap);
  const int nDelta = nHeight - m_nFindingsHeight;
  // Everything from the buttons' row down moves by the change in height.
  for (QWidget* pChild : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
    if (pChild != m_pFindings && pChild->y() >= area.y()) pChild->move(pChild->x(), pChild->y() + nDelta);
  }
  m_pFindings->setGeometry(area.x(), area.y(), area.width(), std::max(0, nHeight - Units().ToPixelsY(kFindingsGap)));
  m_pFindings->setVisible(!lines.isEmpty());
  setFixedSize(width(), height() + nDelta);
  m_nFindingsHeight = nHeight;
}
