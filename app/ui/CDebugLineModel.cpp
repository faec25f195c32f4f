#include "CDebugLineModel.h"

#include <algorithm>

CDebugLineModel::CDebugLineModel(QObject* pParent) : QAbstractListModel(pParent) {}

// As many lines as fit go in with one insertion; when the list is full it
// is emptied and the rest go in after it, as line-by-line adding would do.
bool CDebugLineModel::Append(std::vector<QString> lines, const WidthOf& widthOf) {
  bool bEmptied = false;
  size_t nNext = 0;
  while (nNext < lines.size()) {
    if (rowCount() >= m_nLimit) {
      Clear();
      bEmptied = true;
    }
    const size_t nCount = std::min(lines.size() - nNext, static_cast<size_t>(m_nLimit - rowCount()));
    const int nFirst = rowCount();
    beginInsertRows({}, nFirst, nFirst + static_cast<int>(nCount) - 1);
    for (const size_t nEnd = nNext + nCount; nNext < nEnd; ++nNext) {
      m_nMaxWidth = std::max(m_nMaxWidth, widthOf(lines[nNext], m_nMaxWidth));
      m_Lines.push_back(std::move(lines[nNext]));
    }
    endInsertRows();
  }
  return bEmptied;
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
