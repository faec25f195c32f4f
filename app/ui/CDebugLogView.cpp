#include "CDebugLogView.h"

#include "CDebugLineModel.h"

#include <QKeyEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {
constexpr int kMargin = 3;
}

CDebugLogView::CDebugLogView(QWidget* pParent) : QAbstractScrollArea(pParent) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setAutoFillBackground(true);
  setFocusPolicy(Qt::StrongFocus);
}

void CDebugLogView::SetModel(CDebugLineModel* pModel) {
  m_pModel = pModel;
  connect(pModel, &CDebugLineModel::rowsInserted, this, &CDebugLogView::OnRowsInserted);
  connect(pModel, &CDebugLineModel::modelReset, this, [this] {
    UpdateScrollRanges();
    viewport()->update();
  });
  UpdateScrollRanges();
}

int CDebugLogView::LineHeight() const { return fontMetrics().height(); }

int CDebugLogView::TextWidth(const QString& strLine) const {
  return fontMetrics().horizontalAdvance(strLine) + 2 * kMargin;
}

void CDebugLogView::ScrollToBottom() { verticalScrollBar()->setValue(verticalScrollBar()->maximum()); }

void CDebugLogView::OnRowsInserted() {
  UpdateScrollRanges();
  if (m_bAutoScroll) ScrollToBottom();
  viewport()->update();
}

// Ranges in rows (vertical) and pixels (horizontal): constant work per line.
void CDebugLogView::UpdateScrollRanges() {
  const int nRows = m_pModel != nullptr ? m_pModel->rowCount() : 0;
  const int nPage = std::max(1, viewport()->height() / LineHeight());
  verticalScrollBar()->setPageStep(nPage);
  verticalScrollBar()->setRange(0, std::max(0, nRows - nPage));
  const int nWidth = m_pModel != nullptr ? m_pModel->MaxWidth() : 0;
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(fontMetrics().averageCharWidth() * 2);
  horizontalScrollBar()->setRange(0, std::max(0, nWidth - viewport()->width()));
}

void CDebugLogView::resizeEvent(QResizeEvent* pEvent) {
  QAbstractScrollArea::resizeEvent(pEvent);
  UpdateScrollRanges();
}

void CDebugLogView::paintEvent(QPaintEvent*) {
  if (m_pModel == nullptr) return;
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::Text));
  const int nHeight = LineHeight();
  const int nFirst = verticalScrollBar()->value();
  const int nLast = std::min(m_pModel->rowCount(), nFirst + viewport()->height() / nHeight + 2);
  const int x = kMargin - horizontalScrollBar()->value();
  for (int nRow = nFirst; nRow < nLast; ++nRow) {
    const QRect line(x, (nRow - nFirst) * nHeight, m_pModel->MaxWidth() + viewport()->width(), nHeight);
    painter.drawText(line, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, m_pModel->Line(nRow));
  }
}

void CDebugLogView::keyPressEvent(QKeyEvent* pEvent) {
  QScrollBar* pBar = verticalScrollBar();
  switch (pEvent->key()) {
    case Qt::Key_Up: pBar->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Down: pBar->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    case Qt::Key_PageUp: pBar->triggerAction(QAbstractSlider::SliderPageStepSub); break;
    case Qt::Key_PageDown: pBar->triggerAction(QAbstractSlider::SliderPageStepAdd); break;
    case Qt::Key_Home: pBar->triggerAction(QAbstractSlider::SliderToMinimum); break;
    case Qt::Key_End: pBar->triggerAction(QAbstractSlider::SliderToMaximum); break;
    case Qt::Key_Left: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub); break;
    case Qt::Key_Right: horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd); break;
    default: QAbstractScrollArea::keyPressEvent(pEvent); return;
  }
}
