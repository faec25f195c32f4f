#pragma once
// Shows the debug console's lines: one text line per row, only the rows in
// sight are drawn. The horizontal scroll range follows the longest line the
// model has seen; with auto-scroll on, each new line scrolls to the bottom.
#include <QAbstractScrollArea>

#include <array>

class CDebugLineModel;

class CDebugLogView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit CDebugLogView(QWidget* pParent = nullptr);

  void SetModel(CDebugLineModel* pModel);
  CDebugLineModel* Model() const { return m_pModel; }
  void SetAutoScroll(bool bAutoScroll) { m_bAutoScroll = bAutoScroll; }
  int LineHeight() const;
  // Pixel width of a line in the view's font.
  int TextWidth(const QString& strLine) const;
  // TextWidth, or 0 for a line that cannot be wider than nWidest.
  int WidthIfWider(const QString& strLine, int nWidest) const;
  // Ranges and position now, without waiting for the queued refresh.
  void Refresh();
  void ScrollToBottom();

 protected:
  void paintEvent(QPaintEvent* pEvent) override;
  void resizeEvent(QResizeEvent* pEvent) override;
  void keyPressEvent(QKeyEvent* pEvent) override;
  void changeEvent(QEvent* pEvent) override;

 private:
  void UpdateScrollRanges();
  void OnRowsInserted();

  CDebugLineModel* m_pModel = nullptr;
  bool m_bAutoScroll = false;
  bool m_bRefreshQueued = false;
  mutable std::array<int, 256> m_Advances = [] {
    std::array<int, 256> advances{};
    advances.fill(-1);  // not measured yet
    return advances;
  }();
};
