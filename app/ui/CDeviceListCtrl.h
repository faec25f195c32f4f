#pragma once
// The device list: one model shown in report view (a row per device, five
// columns) or, by view index, as large icons, small icons or a list. The
// views share the model and the selection, so switching keeps both.
#include <QWidget>

class CDeviceListModel;
class QAbstractItemView;
class QItemSelectionModel;
class QModelIndex;
class QListView;
class QStackedLayout;
class QTreeView;

class CDeviceListCtrl : public QWidget {
  Q_OBJECT

 public:
  enum View { kIconView = 0, kSmallIconView = 1, kListView = 2, kReportView = 3 };

  explicit CDeviceListCtrl(QWidget* pParent = nullptr);

  CDeviceListModel& Model() const { return *m_pModel; }
  // Any other index gives the icon view, whose view bits are all clear.
  void SetView(int nView);
  int GetView() const { return m_nView; }
  // The row of the first selected item, or -1.
  int FirstSelectedRow() const;
  void SelectRow(int nRow);
  // Width of the report view's client area.
  int ClientWidth() const;
  void SetColumnWidth(int nColumn, int nWidth);
  int ColumnWidth(int nColumn) const;
  // The view now shown.
  QAbstractItemView* CurrentView() const;
  QTreeView* ReportView() const { return m_pReport; }

 signals:
  // A click on a row (also a row chosen with the keyboard), and a double
  // click or Enter; the row may be -1 (no row under the mouse).
  void RowClicked(int nRow);
  void RowActivated(int nRow);
  // The context menu asked for over a row (-1: no row there), at a point
  // of the screen.
  void RowMenuRequested(int nRow, const QPoint& globalPos);

 protected:
  bool eventFilter(QObject* pWatched, QEvent* pEvent) override;

 private:
  void Connect(QAbstractItemView* pView);
  void OnCurrentChanged(const QModelIndex& current);

  CDeviceListModel* m_pModel = nullptr;
  QTreeView* m_pReport = nullptr;
  QListView* m_pIcons = nullptr;
  QStackedLayout* m_pStack = nullptr;
  int m_nView = kReportView;
  bool m_bKeyMove = false;  // the next current-row change comes from a key
};
