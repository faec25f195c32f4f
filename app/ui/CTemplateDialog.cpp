#include "CTemplateDialog.h"

#include "CGroupFrame.h"
#include "CIPAddressCtrl.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTreeView>

namespace {
QString Caption(const wchar_t* szText) { return QString::fromWCharArray(szText); }
}  // namespace

CTemplateDialog::CTemplateDialog(const DialogSpec& spec, QWidget* pParent)
    : QDialog(pParent), m_Spec(spec), m_Units(CDialogUnits::DialogFont()) {
  Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint;
  if (spec.bMinimizeBox) flags |= Qt::WindowMinimizeButtonHint;
  setWindowFlags(flags);
  setFont(CDialogUnits::DialogFont());
  setWindowTitle(Caption(spec.szCaption));
  setFixedSize(m_Units.ToPixelsX(spec.cx), m_Units.ToPixelsY(spec.cy));
}

QWidget* CTemplateDialog::GetDlgItem(int nId) const {
  const auto it = m_Items.find(nId);
  return it == m_Items.end() ? nullptr : it->second;
}

void CTemplateDialog::EnableItem(int nId, bool bEnable) {
  if (QWidget* pItem = GetDlgItem(nId)) pItem->setEnabled(bEnable);
}

void CTemplateDialog::ShowItem(int nId, bool bShow) {
  if (QWidget* pItem = GetDlgItem(nId)) pItem->setVisible(bShow);
}

void CTemplateDialog::SetItemText(int nId, const QString& strText) {
  QWidget* pItem = GetDlgItem(nId);
  if (auto* pButton = qobject_cast<QAbstractButton*>(pItem)) pButton->setText(strText);
  else if (auto* pGroup = qobject_cast<CGroupFrame*>(pItem)) pGroup->setTitle(strText);
  else if (auto* pLabel = qobject_cast<QLabel*>(pItem)) pLabel->setText(strText);
  else if (auto* pEdit = qobject_cast<QLineEdit*>(pItem)) pEdit->setText(strText);
}

QString CTemplateDialog::GetItemText(int nId) const {
  QWidget* pItem = GetDlgItem(nId);
  if (auto* pButton = qobject_cast<QAbstractButton*>(pItem)) return pButton->text();
  if (auto* pGroup = qobject_cast<CGroupFrame*>(pItem)) return pGroup->title();
  if (auto* pLabel = qobject_cast<QLabel*>(pItem)) return pLabel->text();
  if (auto* pEdit = qobject_cast<QLineEdit*>(pItem)) return pEdit->text();
  return {};
}

void CTemplateDialog::BuildFromTemplate() {
  QWidget* pPrevious = nullptr;
  std::vector<QWidget*> frames;
  for (const ControlSpec& spec : m_Spec.controls) {
    QWidget* pWidget = CreateControl(spec);
    pWidget->setParent(this);
    pWidget->setGeometry(Placement(pWidget, spec));
    ApplyInitialState(pWidget, spec);
    if (spec.nId != kNoControlId) m_Items.emplace(spec.nId, pWidget);
    m_TemplateOrder.push_back(pWidget);
    if (spec.kind == ControlKind::kGroupBox) frames.push_back(pWidget);
    if (pWidget->focusPolicy() != Qt::NoFocus) {
      if (pPrevious != nullptr) QWidget::setTabOrder(pPrevious, pWidget);
      pPrevious = pWidget;
    }
  }
  // Frames are drawn behind the controls they surround and never take clicks.
  for (QWidget* pFrame : frames) pFrame->lower();
}

// The template's rectangle; a check box whose indicator is taller than its
// rectangle at this font grows around the rectangle's middle line.
QRect CTemplateDialog::Placement(QWidget* pWidget, const ControlSpec& spec) const {
  QRect rect = m_Units.ToPixels(spec.x, spec.y, spec.cx, spec.cy);
  if (qobject_cast<QCheckBox*>(pWidget) != nullptr) {
    const int nHeight = pWidget->sizeHint().height();
    if (nHeight > rect.height()) rect.adjust(0, -(nHeight - rect.height()) / 2, 0, (nHeight - rect.height() + 1) / 2);
    rect.setWidth(std::max(rect.width(), pWidget->sizeHint().width()));
  }
  return rect;
}

QWidget* CTemplateDialog::CreateControl(const ControlSpec& spec) {
  const QString strCaption = Caption(spec.szCaption);
  switch (spec.kind) {
    case ControlKind::kPushButton: {
      auto* pButton = new QPushButton(strCaption);
      pButton->setDefault((spec.uStyle & ControlStyle::kDefault) != 0);
      return pButton;
    }
    case ControlKind::kCheckBox: return new QCheckBox(strCaption);
    case ControlKind::kGroupBox: return new CGroupFrame(strCaption);
    case ControlKind::kStatic: {
      auto* pLabel = new QLabel(strCaption);
      pLabel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      pLabel->setWordWrap((spec.uStyle & ControlStyle::kNoWrap) == 0);
      return pLabel;
    }
    case ControlKind::kEdit: {
      auto* pEdit = new QLineEdit(strCaption);
      pEdit->setFrame((spec.uStyle & ControlStyle::kBorder) != 0);
      return pEdit;
    }
    case ControlKind::kListView: return new QTreeView;
    case ControlKind::kTabControl: return new QTabBar;
    case ControlKind::kProgressBar: {
      auto* pBar = new QProgressBar;
      pBar->setTextVisible(false);
      return pBar;
    }
    case ControlKind::kUpDown: return new QSpinBox;
    case ControlKind::kIpAddress: return new CIPAddressCtrl;
    case ControlKind::kListBox: return new QListView;
  }
  return new QWidget;
}

void CTemplateDialog::ApplyInitialState(QWidget* pWidget, const ControlSpec& spec) {
  pWidget->setProperty("controlId", spec.nId);
  // Controls that never take the focus (frames, texts, lamps) keep it so;
  // the others are reached with Tab only when the template says so.
  if (pWidget->focusPolicy() != Qt::NoFocus) {
    pWidget->setFocusPolicy((spec.uStyle & ControlStyle::kTabStop) ? Qt::StrongFocus
                                                                   : Qt::ClickFocus);
  }
  if (spec.uStyle & ControlStyle::kDisabled) pWidget->setEnabled(false);
  if (spec.uStyle & ControlStyle::kHidden) pWidget->setVisible(false);
}

void CTemplateDialog::FocusFirstControl() {
  for (QWidget* pWidget : m_TemplateOrder) {
    if (!pWidget->isHidden() && pWidget->isEnabled() && (pWidget->focusPolicy() & Qt::TabFocus)) {
      pWidget->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}
