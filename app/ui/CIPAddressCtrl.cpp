#include "CIPAddressCtrl.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace {
// 0 to 255 without leading zeros, or nothing.
const QRegularExpression kOctet(QStringLiteral("^(25[0-5]|2[0-4][0-9]|1[0-9][0-9]|[1-9]?[0-9])?$"));
}  // namespace

CIPAddressCtrl::CIPAddressCtrl(QWidget* pParent) : QFrame(pParent) {
  setFrameShape(QFrame::StyledPanel);
  setFrameShadow(QFrame::Sunken);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Base);
  auto* pLayout = new QHBoxLayout(this);
  pLayout->setContentsMargins(2, 0, 2, 0);
  pLayout->setSpacing(0);
  auto* pValidator = new QRegularExpressionValidator(kOctet, this);
  for (int i = 0; i < kFieldCount; ++i) {
    if (i > 0) {
      auto* pDot = new QLabel(QStringLiteral("."), this);
      pDot->setAlignment(Qt::AlignCenter);
      pLayout->addWidget(pDot);
    }
    auto* pField = new QLineEdit(this);
    pField->setFrame(false);
    pField->setAlignment(Qt::AlignCenter);
    pField->setMaxLength(3);
    pField->setValidator(pValidator);
    pField->installEventFilter(this);
    // Tab leaves the control from any field; the fields after the first
    // are reached by typing or clicking.
    pField->setFocusPolicy(i == 0 ? Qt::StrongFocus : Qt::ClickFocus);
    connect(pField, &QLineEdit::textEdited, this, [this, i] { OnFieldEdited(i); });
    pLayout->addWidget(pField, 1);
    m_Fields[static_cast<size_t>(i)] = pField;
  }
  setFocusProxy(m_Fields[0]);
  setFocusPolicy(Qt::StrongFocus);
}

void CIPAddressCtrl::SetAddress(const QString& strAddress) {
  const QStringList parts = strAddress.trimmed().split(QLatin1Char('.'));
  for (int i = 0; i < kFieldCount; ++i) {
    QString strPart = i < parts.size() ? parts[i].trimmed() : QString();
    bool bNumber = false;
    const int nValue = strPart.toInt(&bNumber);
    m_Fields[static_cast<size_t>(i)]->setText(bNumber && nValue >= 0 && nValue <= 255
                                                  ? QString::number(nValue)
                                                  : QString());
  }
}

QString CIPAddressCtrl::GetAddress() const {
  QStringList parts;
  for (int i = 0; i < kFieldCount; ++i) parts << QString::number(FieldValue(i));
  return parts.join(QLatin1Char('.'));
}

int CIPAddressCtrl::FilledFieldCount() const {
  int nFilled = 0;
  for (int i = 0; i < kFieldCount; ++i) nFilled += IsFieldBlank(i) ? 0 : 1;
  return nFilled;
}

bool CIPAddressCtrl::IsFieldBlank(int nField) const { return Field(nField)->text().isEmpty(); }

int CIPAddressCtrl::FieldValue(int nField) const { return Field(nField)->text().toInt(); }

void CIPAddressCtrl::SetFieldFocus(int nField) {
  if (nField < 0 || nField >= kFieldCount) return;
  Field(nField)->setFocus(Qt::OtherFocusReason);
  Field(nField)->selectAll();
}

int CIPAddressCtrl::IndexOf(QObject* pField) const {
  for (int i = 0; i < kFieldCount; ++i)
    if (m_Fields[static_cast<size_t>(i)] == pField) return i;
  return -1;
}

void CIPAddressCtrl::OnFieldEdited(int nField) {
  QLineEdit* pField = Field(nField);
  if (pField->text().size() == 3 && pField->cursorPosition() == 3) SetFieldFocus(nField + 1);
}

bool CIPAddressCtrl::eventFilter(QObject* pWatched, QEvent* pEvent) {
  const int nField = IndexOf(pWatched);
  if (nField < 0 || pEvent->type() != QEvent::KeyPress) return QFrame::eventFilter(pWatched, pEvent);
  const auto* pKey = static_cast<QKeyEvent*>(pEvent);
  QLineEdit* pField = Field(nField);
  if (pKey->text() == QLatin1String(".")) {
    SetFieldFocus(nField + 1);
    return true;
  }
  const bool bAtStart = pField->cursorPosition() == 0 && !pField->hasSelectedText();
  const bool bAtEnd = pField->cursorPosition() == pField->text().size();
  if ((pKey->key() == Qt::Key_Backspace || pKey->key() == Qt::Key_Left) && bAtStart && nField > 0) {
    Field(nField - 1)->setFocus(Qt::OtherFocusReason);
    Field(nField - 1)->end(false);
    return pKey->key() == Qt::Key_Left || pField->text().isEmpty();
  }
  if (pKey->key() == Qt::Key_Right && bAtEnd && nField + 1 < kFieldCount) {
    Field(nField + 1)->setFocus(Qt::OtherFocusReason);
    Field(nField + 1)->home(false);
    return true;
  }
  return QFrame::eventFilter(pWatched, pEvent);
}

void CIPAddressCtrl::changeEvent(QEvent* pEvent) {
  // A disabled control shows the window colour, as a disabled edit does.
  if (pEvent->type() == QEvent::EnabledChange)
    setBackgroundRole(isEnabled() ? QPalette::Base : QPalette::Window);
  QFrame::changeEvent(pEvent);
}
