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

// The sum of the characters' advances: no shaping per line, and kerning is
// covered by the margin. Console lines are almost all plain ASCII, whose
// advances are kept in a table, each measured when first met: measuring all
// 256 at once loads glyphs (and looks for fallback fonts for the control
// characters) for tens of milliseconds.
int CDebugLogView::TextWidth(const QString& strLine) const {
  const QFontMetrics metrics = fontMetrics();
  int nWidth = 0;
  for (const QChar c : strLine) {
    if (c.unicode() >= m_Advances.size()) {
      nWidth += metrics.horizontalAdvance(c);
      continue;
    }
    int& nAdvance = m_Advances[c.unicode()];
    if (nAdvance < 0) nAdvance = metrics.horizontalAdvance(c);
    nWidth += nAdvance;
  }
  return nWidth + 4 * kMargin;
}

void CDebugLogView::changeEvent(QEvent* pEvent) {
  if (pEvent->type() == QEvent::FontChange) m_Advances.fill(-1);
  QAbstractScrollArea::changeEvent(pEvent);
}

// A line that cannot be wider than the widest so far, even made of the
// font's widest character, is not measured.
int CDebugLogView::WidthIfWider(const QString& strLine, int nWidest) const {
  if (static_cast<long long>(strLine.size()) * fontMetrics().maxWidth() + 2 * kMargin <= nWidest) return 0;
  return TextWidth(strLine);
}

void CDebugLogView::ScrollToBottom() { verticalScrollBar()->setValue(verticalScrollBar()->maximum()); }

// Lines arrive in bursts: the ranges and the scroll position follow once per
// pass of the event loop, not once per line.
void CDebugLogView::OnRowsInserted() {
  if (m_bRefreshQueued) return;
  m_bRefreshQueued = true;
  QMetaObject::invokeMethod(this, [this] {
    m_bRefreshQueued = false;
    UpdateScrollRanges();
    if (m_bAutoScroll) ScrollToBottom();
    viewport()->update();
  }, Qt::QueuedConnection);
}

void CDebugLogView::Refresh() {
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
