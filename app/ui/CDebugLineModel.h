#pragma once
// The lines of the debug console, up to a limit; a line that would pass it
// empties the list first. The width of the longest line is kept as lines
// arrive, so that no line is ever measured twice.
#include <QAbstractListModel>
#include <QString>

#include <vector>

class CDebugLineModel : public QAbstractListModel {
  Q_OBJECT

 public:
  static constexpr int kDefaultLimit = 32767;

  explicit CDebugLineModel(QObject* pParent = nullptr);

  void SetLimit(int nLimit) { m_nLimit = nLimit; }
  int Limit() const { return m_nLimit; }
  // Appends a line of the given width (pixels); true when the list had to
  // be emptied first.
  bool Append(QString strLine, int nWidth);
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
