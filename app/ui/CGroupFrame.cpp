#include "CGroupFrame.h"

#include <QPainter>

namespace {
constexpr int kTitleIndent = 7;
constexpr int kTitlePadding = 2;
constexpr qreal kRadius = 3.0;
}  // namespace

CGroupFrame::CGroupFrame(const QString& strTitle, QWidget* pParent)
    : QWidget(pParent), m_strTitle(strTitle) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
}

void CGroupFrame::setTitle(const QString& strTitle) {
  m_strTitle = strTitle;
  update();
}

void CGroupFrame::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const int nTop = fontMetrics().height() / 2;
  const QRectF frame = QRectF(rect()).adjusted(0.5, nTop + 0.5, -1.5, -1.5);
  // Etched: a light line one pixel below and right of the dark one.
  painter.setPen(palette().color(QPalette::Light));
  painter.drawRoundedRect(frame.translated(1, 1), kRadius, kRadius);
  painter.setPen(palette().color(QPalette::Mid));
  painter.drawRoundedRect(frame, kRadius, kRadius);
  if (m_strTitle.isEmpty()) return;
  const int nWidth = fontMetrics().horizontalAdvance(m_strTitle) + 2 * kTitlePadding;
  const QRect title(kTitleIndent, 0, std::min(nWidth, width() - 2 * kTitleIndent), fontMetrics().height());
  painter.fillRect(title, palette().color(QPalette::Window));
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  painter.drawText(title, Qt::AlignCenter | Qt::TextSingleLine, m_strTitle);
}
