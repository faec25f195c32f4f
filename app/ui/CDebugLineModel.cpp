#include "CDebugLineModel.h"

#include <algorithm>

CDebugLineModel::CDebugLineModel(QObject* pParent) : QAbstractListModel(pParent) {}

bool CDebugLineModel::Append(QString strLine, int nWidth) {
  const bool bFull = rowCount() >= m_nLimit;
  if (bFull) Clear();
  const int nRow = rowCount();
  beginInsertRows({}, nRow, nRow);
  m_Lines.push_back(std::move(strLine));
  m_nMaxWidth = std::max(m_nMaxWidth, nWidth);
  endInsertRows();
  return bFull;
}

void CDebugLineModel::Clear() {
  beginResetModel();
  m_Lines.clear();
  m_nMaxWidth = 0;
  endResetModel();
}

int CDebugLineModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(m_Lines.size());
}

QVariant CDebugLineModel::data(const QModelIndex& index, int nRole) const {
  if (nRole != Qt::DisplayRole || index.row() < 0 || index.row() >= rowCount()) return {};
  return Line(index.row());
}
