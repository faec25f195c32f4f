#include "CDeviceListModel.h"

CDeviceListModel::CDeviceListModel(QObject* pParent) : QAbstractTableModel(pParent) {}

void CDeviceListModel::SetHeaders(const std::array<QString, kColumnCount>& headers) {
  m_Headers = headers;
  emit headerDataChanged(Qt::Horizontal, 0, kColumnCount - 1);
}

void CDeviceListModel::SetImages(std::vector<QIcon> images) {
  m_Images = std::move(images);
  if (!m_Rows.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void CDeviceListModel::SetWarnedImages(std::vector<QIcon> images) {
  m_WarnedImages = std::move(images);
  if (!m_Rows.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void CDeviceListModel::Clear() {
  if (m_Rows.empty()) return;
  beginRemoveRows({}, 0, rowCount() - 1);
  m_Rows.clear();
  endRemoveRows();
}

void CDeviceListModel::AppendRow(Row row) {
  const int nRow = rowCount();
  beginInsertRows({}, nRow, nRow);
  m_Rows.push_back(std::move(row));
  endInsertRows();
}

bool CDeviceListModel::ReplaceRow(int nIndex, Row row) {
  if (nIndex < 0 || nIndex >= rowCount()) return false;
  m_Rows[static_cast<size_t>(nIndex)] = std::move(row);
  emit dataChanged(index(nIndex, 0), index(nIndex, kColumnCount - 1));
  return true;
}

const CDeviceListModel::Row* CDeviceListModel::GetRow(int nIndex) const {
  return nIndex >= 0 && nIndex < rowCount() ? &m_Rows[static_cast<size_t>(nIndex)] : nullptr;
}

int CDeviceListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_Rows.size());
}

int CDeviceListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : kColumnCount;
}

QVariant CDeviceListModel::data(const QModelIndex& index, int nRole) const {
  const Row* pRow = GetRow(index.row());
  if (pRow == nullptr || index.column() < 0 || index.column() >= kColumnCount) return {};
  const QString& strText = pRow->texts[static_cast<size_t>(index.column())];
  if (nRole == Qt::DisplayRole) return strText;
  if (nRole == Qt::ToolTipRole) {
    if (pRow->strWarning.isEmpty() || strText.isEmpty()) return strText + pRow->strWarning;
    return strText + QLatin1Char('\n') + pRow->strWarning;
  }
  if (nRole != Qt::DecorationRole || index.column() != 0) return {};
  const bool bWarned = !pRow->strWarning.isEmpty() && pRow->dwImage < m_WarnedImages.size();
  if (bWarned) return m_WarnedImages[pRow->dwImage];
  if (pRow->dwImage < m_Images.size()) return m_Images[pRow->dwImage];
  return {};
}

QVariant CDeviceListModel::headerData(int nSection, Qt::Orientation orientation, int nRole) const {
  if (orientation != Qt::Horizontal || nRole != Qt::DisplayRole) return {};
  if (nSection < 0 || nSection >= kColumnCount) return {};
  return m_Headers[static_cast<size_t>(nSection)];
}
