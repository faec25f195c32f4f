#include "CInterfaceChoiceDlg.h"

#include "CInterfaceChoice.h"

#include <QFontMetrics>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <bit>
#include <map>

namespace {

const QString kAll = QStringLiteral("All");

// "eth0    10.77.0.2/16, 10.78.0.2/24": the interface with its addresses.
std::map<QString, QStringList> Addresses(const std::vector<CCNetInterfaces::Entry>& machine) {
  std::map<QString, QStringList> names;
  for (const auto& entry : machine) {
    if (!CCNetInterfaces::CanBroadcast(entry)) continue;
    names[QString::fromStdWString(entry.strName)].append(
        QStringLiteral("%1/%2").arg(QString::fromStdWString(entry.strAddress)).arg(std::popcount(entry.dwMask)));
  }
  return names;
}

}  // namespace

CInterfaceChoiceDlg::CInterfaceChoiceDlg(const std::vector<CCNetInterfaces::Entry>& machine,
                                         const std::wstring& strCurrent, QWidget* pParent)
    : CLayoutDialog(QStringLiteral("Network interfaces"), pParent) {
  Layout().addWidget(new QLabel(QStringLiteral("Send the discovery's broadcasts through:")));
  m_pList = new QListWidget;
  Layout().addWidget(m_pList);
  auto* pNote = new QLabel(QStringLiteral("With none checked, Lumora broadcasts once, as lumora.ini says."));
  Layout().addWidget(pNote);
  AddChoiceButtons(QStringLiteral("Forget this choice: lumora.ini's szInterfaces counts again"),
                   [this] { UseIniFile(); });

  const CInterfaceChoice current(strCurrent);
  m_pAll = AddItem(QString(), QStringLiteral("All (every interface that can broadcast)"));
  for (const auto& [strName, addresses] : Addresses(machine))
    AddItem(strName, QStringLiteral("%1  \u2013  %2").arg(strName, addresses.join(QStringLiteral(", "))));
  // A remembered interface that is gone stays listed, so that it can be unchecked.
  for (const std::wstring& strName : current.GetNames()) {
    const QString strQName = QString::fromStdWString(strName);
    if (Find(strQName) == nullptr) AddItem(strQName, QStringLiteral("%1  \u2013  not found on this computer").arg(strQName));
  }
  for (const std::wstring& strName : current.GetNames()) SetChecked(QString::fromStdWString(strName), true);
  SetChecked(kAll, current.GetMode() == CInterfaceChoice::Mode::kAll);
  connect(m_pList, &QListWidget::itemChanged, this, &CInterfaceChoiceDlg::OnItemChanged);
  OnItemChanged(m_pAll);

  // As tall as its items, within 3 and 10 of them.
  const QFontMetrics metrics(font());
  const int nRow = std::max(m_pList->sizeHintForRow(0), metrics.height());
  m_pList->setFixedHeight(nRow * std::clamp(m_pList->count(), 3, 10) + 2 * m_pList->frameWidth() + 4);
  m_pList->setMinimumWidth(std::max(metrics.averageCharWidth() * 48, m_pList->sizeHintForColumn(0) + 24));
  m_pList->setFocus();
  Layout().setSizeConstraint(QLayout::SetFixedSize);
}

QListWidgetItem* CInterfaceChoiceDlg::AddItem(const QString& strName, const QString& strText) {
  auto* pItem = new QListWidgetItem(strText, m_pList);  // owned by the list
  pItem->setData(Qt::UserRole, strName);
  pItem->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
  pItem->setCheckState(Qt::Unchecked);
  return pItem;
}

QListWidgetItem* CInterfaceChoiceDlg::Find(const QString& strName) const {
  if (strName == kAll) return m_pAll;
  for (int i = 0; i < m_pList->count(); ++i)
    if (m_pList->item(i)->data(Qt::UserRole).toString() == strName) return m_pList->item(i);
  return nullptr;
}

void CInterfaceChoiceDlg::SetChecked(const QString& strName, bool bChecked) {
  if (QListWidgetItem* pItem = Find(strName)) pItem->setCheckState(bChecked ? Qt::Checked : Qt::Unchecked);
}

bool CInterfaceChoiceDlg::IsChecked(const QString& strName) const {
  const QListWidgetItem* pItem = Find(strName);
  return pItem != nullptr && pItem->checkState() == Qt::Checked;
}

// "All" stands for every interface: the single ones are greyed meanwhile.
void CInterfaceChoiceDlg::OnItemChanged(QListWidgetItem* pItem) {
  if (pItem != m_pAll) return;
  const bool bAll = m_pAll->checkState() == Qt::Checked;
  const QSignalBlocker blocker(m_pList);
  for (int i = 1; i < m_pList->count(); ++i) {
    QListWidgetItem* pOne = m_pList->item(i);
    pOne->setFlags(bAll ? pOne->flags() & ~Qt::ItemIsEnabled : pOne->flags() | Qt::ItemIsEnabled);
  }
}

void CInterfaceChoiceDlg::UseIniFile() {
  m_bUseIni = true;
  accept();
}

std::optional<std::wstring> CInterfaceChoiceDlg::Choice() const {
  if (m_bUseIni) return std::nullopt;
  if (IsChecked(kAll)) return L"all";
  std::wstring strNames;
  for (int i = 1; i < m_pList->count(); ++i) {
    const QListWidgetItem* pItem = m_pList->item(i);
    if (pItem->checkState() != Qt::Checked) continue;
    if (!strNames.empty()) strNames += L",";
    strNames += pItem->data(Qt::UserRole).toString().toStdWString();
  }
  return strNames;
}
