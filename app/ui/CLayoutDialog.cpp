#include "CLayoutDialog.h"

#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kEdgeUnits = 7;   // dialog units, as the templates keep from the edge
constexpr int kSpacing = 4;  // dialog units between controls
}  // namespace

CLayoutDialog::CLayoutDialog(const QString& strTitle, QWidget* pParent)
    : QDialog(pParent), m_Units(CDialogUnits::DialogFont()) {
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setFont(CDialogUnits::DialogFont());
  setWindowTitle(strTitle);
  m_pLayout = new QVBoxLayout(this);
  const int nX = m_Units.ToPixelsX(kEdgeUnits);
  const int nY = m_Units.ToPixelsY(kEdgeUnits);
  m_pLayout->setContentsMargins(nX, nY, nX, nY);
  m_pLayout->setSpacing(m_Units.ToPixelsY(kSpacing));
  m_pButtons = new QDialogButtonBox(this);
  connect(m_pButtons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_pButtons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CLayoutDialog::AddButtons(QDialogButtonBox::StandardButtons buttons) {
  m_pButtons->setStandardButtons(buttons);
  m_pLayout->addSpacing(m_Units.ToPixelsY(2));
  m_pLayout->addWidget(m_pButtons);
}

void CLayoutDialog::AddChoiceButtons(const QString& strIniTip, const std::function<void()>& useIni) {
  AddButtons(QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::RestoreDefaults);
  QPushButton* pIni = m_pButtons->button(QDialogButtonBox::RestoreDefaults);
  pIni->setText(QStringLiteral("Use lumora.ini"));
  pIni->setToolTip(strIniTip);
  connect(pIni, &QPushButton::clicked, this, useIni);
}
