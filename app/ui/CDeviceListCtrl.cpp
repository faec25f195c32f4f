#include "CDeviceListCtrl.h"

#include "CDeviceListModel.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QListView>
#include <QStackedLayout>
#include <QTreeView>

CDeviceListCtrl::CDeviceListCtrl(QWidget* pParent) : QWidget(pParent) {
  m_pModel = new CDeviceListModel(this);
  m_pReport = new QTreeView(this);
  m_pReport->setModel(m_pModel);
  m_pReport->setRootIsDecorated(false);
  m_pReport->setItemsExpandable(false);
  m_pReport->setUniformRowHeights(true);  // row operations without measuring every row
  m_pReport->setAllColumnsShowFocus(true);
  m_pReport->setIconSize(QSize(16, 16));
  m_pReport->header()->setStretchLastSection(false);
  m_pReport->header()->setSectionsMovable(false);
  m_pReport->header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);

  m_pIcons = new QListView(this);
  m_pIcons->setModel(m_pModel);
  m_pIcons->setSelectionModel(m_pReport->selectionModel());
  m_pIcons->setUniformItemSizes(true);
  m_pIcons->setMovement(QListView::Static);
  m_pIcons->setResizeMode(QListView::Adjust);
  m_pIcons->setWrapping(true);

  for (QAbstractItemView* pView : {static_cast<QAbstractItemView*>(m_pReport),
                                   static_cast<QAbstractItemView*>(m_pIcons)}) {
    pView->setSelectionMode(QAbstractItemView::SingleSelection);
    pView->setSelectionBehavior(QAbstractItemView::SelectRows);
    pView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pView->setFocusPolicy(Qt::StrongFocus);
    Connect(pView);
  }
  m_pStack = new QStackedLayout(this);
  m_pStack->setContentsMargins(0, 0, 0, 0);
  m_pStack->addWidget(m_pReport);
  m_pStack->addWidget(m_pIcons);
  m_pStack->setCurrentWidget(m_pReport);
  setFocusProxy(m_pReport);
  connect(m_pReport->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { OnCurrentChanged(current); });
}

void CDeviceListCtrl::Connect(QAbstractItemView* pView) {
  connect(pView, &QAbstractItemView::clicked, this,
          [this](const QModelIndex& index) { emit RowClicked(index.row()); });
  connect(pView, &QAbstractItemView::doubleClicked, this,
          [this](const QModelIndex& index) { emit RowActivated(index.row()); });
  pView->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(pView, &QWidget::customContextMenuRequested, this, [this, pView](const QPoint& pos) {
    emit RowMenuRequested(pView->indexAt(pos).row(), pView->viewport()->mapToGlobal(pos));
  });
  pView->installEventFilter(this);
}

// Keyboard use: a row reached with the navigation keys counts as clicked,
// Enter on it as a double click.
bool CDeviceListCtrl::eventFilter(QObject* pWatched, QEvent* pEvent) {
  if (pEvent->type() == QEvent::MouseButtonPress) m_bKeyMove = false;
  if (pEvent->type() != QEvent::KeyPress) return QWidget::eventFilter(pWatched, pEvent);
  const int nKey = static_cast<QKeyEvent*>(pEvent)->key();
  if (nKey == Qt::Key_Return || nKey == Qt::Key_Enter) {
    if (FirstSelectedRow() >= 0) emit RowActivated(FirstSelectedRow());
    return true;
  }
  m_bKeyMove = nKey == Qt::Key_Up || nKey == Qt::Key_Down || nKey == Qt::Key_Left ||
               nKey == Qt::Key_Right || nKey == Qt::Key_Home || nKey == Qt::Key_End ||
               nKey == Qt::Key_PageUp || nKey == Qt::Key_PageDown;
  return false;
}

void CDeviceListCtrl::OnCurrentChanged(const QModelIndex& current) {
  if (!m_bKeyMove || !current.isValid()) return;
  m_bKeyMove = false;
  emit RowClicked(current.row());
}

void CDeviceListCtrl::SetView(int nView) {
  m_nView = nView;
  if (nView == kReportView) {
    m_pStack->setCurrentWidget(m_pReport);
    return;
  }
  if (nView == kSmallIconView || nView == kListView) {
    m_pIcons->setViewMode(QListView::ListMode);
    m_pIcons->setIconSize(QSize(16, 16));
    m_pIcons->setFlow(nView == kSmallIconView ? QListView::LeftToRight : QListView::TopToBottom);
    m_pIcons->setGridSize(nView == kSmallIconView ? QSize(150, 22) : QSize());
  } else {
    m_pIcons->setViewMode(QListView::IconMode);
    m_pIcons->setIconSize(QSize(32, 32));
    m_pIcons->setGridSize(QSize(96, 64));
    m_pIcons->setWordWrap(true);
  }
  m_pIcons->setWrapping(true);
  m_pStack->setCurrentWidget(m_pIcons);
}

int CDeviceListCtrl::FirstSelectedRow() const {
  const QModelIndexList rows = m_pReport->selectionModel()->selectedRows();
  int nFirst = -1;
  for (const QModelIndex& index : rows)
    if (nFirst < 0 || index.row() < nFirst) nFirst = index.row();
  return nFirst;
}

void CDeviceListCtrl::SelectRow(int nRow) {
  m_bKeyMove = false;
  const QModelIndex index = m_pModel->index(nRow, 0);
  m_pReport->selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
}

int CDeviceListCtrl::ClientWidth() const {
  return width() - 2 * m_pReport->frameWidth();
}

void CDeviceListCtrl::SetColumnWidth(int nColumn, int nWidth) { m_pReport->setColumnWidth(nColumn, nWidth); }

int CDeviceListCtrl::ColumnWidth(int nColumn) const { return m_pReport->columnWidth(nColumn); }

QAbstractItemView* CDeviceListCtrl::CurrentView() const {
  return m_nView == kReportView ? static_cast<QAbstractItemView*>(m_pReport) : m_pIcons;
}
