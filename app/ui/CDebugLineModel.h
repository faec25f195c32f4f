#pragma once
// The lines of the debug console, up to a limit; a line that would pass it
// empties the list first. The width of the longest line is kept as lines
// arrive, so that no line is ever measured twice. Lines come in batches, one
// insertion per batch, so that a burst costs the views one update.
#include <QAbstractListModel>
#include <QString>

#include <algorithm>
#include <functional>
#include <vector>

class CDebugLineModel : public QAbstractListModel {
  Q_OBJECT

 public:
  static constexpr int kDefaultLimit = 32767;

  explicit CDebugLineModel(QObject* pParent = nullptr);

  // Width in pixels of a line, or 0 when it cannot be wider than nWidest.
  using WidthOf = std::function<int(const QString& strLine, int nWidest)>;

  void SetLimit(int nLimit) { m_nLimit = std::max(1, nLimit); }
  int Limit() const { return m_nLimit; }
  // Appends the lines in order, each measured against the widest line then
  // present; true when the list had to be emptied on the way.
  bool Append(std::vector<QString> lines, const WidthOf& widthOf);
  void Clear();
  int MaxWidth() const { return m_nMaxWidth; }
  const QString& Line(int nRow) const { return m_Lines[static_cast<size_t>(nRow)]; }

  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int nRole) const override;

 private:
  std::vector<QString> m_Lines;
  int m_nLimit = kDefaultLimit;
  int m_nMaxWidth = 0;
};
