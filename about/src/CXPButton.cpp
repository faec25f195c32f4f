#include "infolio/CXPButton.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <array>

#include "ButtonGradient.h"

namespace {

constexpr int kEdge = 2;           // the frame's edge, inside which the face is filled
constexpr qreal kCornerRadius = 5;  // a 10 x 10 corner ellipse

QPen InsidePen(int iWidth, int r, int g, int b) {
  return QPen(QColor(r, g, b), iWidth, Qt::SolidLine, Qt::FlatCap);
}

}  // namespace

CXPButton::CXPButton(QWidget* pParent)
    : QPushButton(pParent),
      m_penFrame(QPen(Qt::black, 1)),
      m_penHotLeft(InsidePen(3, 250, 196, 88)),
      m_penHotTop(InsidePen(2, 252, 210, 121)),
      m_penHotRight(InsidePen(3, 251, 202, 106)),
      m_penHotBottom(InsidePen(2, 229, 151, 0)),
      m_penFocusLeft(InsidePen(3, 153, 198, 252)),
      m_penFocusTop(InsidePen(2, 162, 201, 255)),
      m_penFocusRight(InsidePen(3, 162, 189, 252)),
      m_penFocusBottom(InsidePen(2, 162, 201, 255)) {
  setMouseTracking(true);
}

CXPButton::~CXPButton() = default;

unsigned CXPButton::CurrentItemState() const {
  unsigned uState = 0;
  if (isDown()) uState |= kStateSelected;
  if (!isEnabled()) uState |= kStateDisabled;
  if (hasFocus()) uState |= kStateFocus;
  if (isDefault()) uState |= kStateDefault;
  return uState;
}

void CXPButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawItem(painter, rect(), CurrentItemState());
}

void CXPButton::DrawItem(QPainter& dc, const QRect& rcItem, unsigned uItemState) {
  dc.save();
  dc.setRenderHint(QPainter::Antialiasing, true);
  dc.setPen(m_penFrame);
  dc.setBrush(Qt::white);
  dc.drawRoundedRect(QRectF(rcItem).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius, kCornerRadius);
  dc.setRenderHint(QPainter::Antialiasing, false);

  m_bFocus = uItemState & kStateFocus;
  m_bHighlight = m_bFocus || (uItemState & (kStateSelected | kStateDefault));
  const QRect rc = rcItem.adjusted(kEdge, kEdge, -kEdge, -kEdge);
  DoGradientFill(dc, rc);
  if (m_bFocus || m_bHover) DrawInsideBorder(dc, rc);
  if (!text().isEmpty()) DrawText(dc, rc, uItemState);
  dc.restore();
}

void CXPButton::DoGradientFill(QPainter& dc, QRect rc) {
  std::array<QColor, ButtonGradient::kEntries> brushes;
  for (int i = 0; i < ButtonGradient::kEntries; ++i)
    brushes[i] = ButtonGradient::Entry(i, m_bHover, m_bHighlight);
  // Rows are counted from the top of the button, whose face starts at the
  // edge size; the "+ kEdge" terms count on that.
  const int w = rc.width();
  const int h = rc.height();
  if (h <= 0) return;
  for (int y = rc.top(); y < h + kEdge; ++y) {
    const int iBrush = std::min(y * 63 / h, 63);
    dc.fillRect(QRect(QPoint(rc.left(), y), QPoint(w + kEdge - 1, y)), brushes[iBrush]);
  }
}

void CXPButton::DrawInsideBorder(QPainter& dc, QRect rc) {
  const bool bFocusPens = m_bFocus && !m_bHover;
  const QPen& left = bFocusPens ? m_penFocusLeft : m_penHotLeft;
  const QPen& top = bFocusPens ? m_penFocusTop : m_penHotTop;
  const QPen& right = bFocusPens ? m_penFocusRight : m_penHotRight;
  const QPen& bottom = bFocusPens ? m_penFocusBottom : m_penHotBottom;
  // Exclusive right and bottom, as the gradient's rows count them.
  const int r = rc.left() + rc.width();
  const int b = rc.top() + rc.height();
  dc.save();
  dc.setPen(left);
  dc.drawLine(rc.left(), b - 3, rc.left(), rc.top() + 2);
  dc.setPen(right);
  dc.drawLine(r - 1, b - 3, r - 1, rc.top() + 2);
  dc.setPen(top);
  dc.drawLine(rc.left() + 2, rc.top(), r - 2, rc.top());
  dc.setPen(bottom);
  dc.drawLine(rc.left() + 2, b, r - 2, b);
  dc.restore();
}

void CXPButton::DrawText(QPainter& dc, const QRect& rc, unsigned uItemState) {
  const QString caption = text();
  const QFontMetrics metrics(font());
  const int iWidth = metrics.horizontalAdvance(caption);
  const int iHeight = metrics.height();
  const int r = rc.left() + rc.width();
  const int b = rc.top() + rc.height();
  int x = (rc.left() + r) / 2 - iWidth / 2;
  int y = (rc.top() + b) / 2 - iHeight / 2;
  if (uItemState & kStateSelected) {
    ++x;
    ++y;
  }
  dc.setFont(font());
  const QRect textRect(x, y, iWidth, iHeight);
  if (uItemState & kStateDisabled) {
    // Embossed: a light copy one pixel down and right, the grey text on top.
    const int iFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic;
    dc.setPen(Qt::white);
    dc.drawText(textRect.translated(1, 1), iFlags, caption);
    dc.setPen(QColor(128, 128, 128));
    dc.drawText(textRect, iFlags, caption);
  } else {
    dc.setPen(Qt::black);
    dc.drawText(textRect, Qt::AlignLeft | Qt::AlignTop, caption);
  }
}

void CXPButton::mouseMoveEvent(QMouseEvent* pEvent) {
  OnMouseMove();
  QPushButton::mouseMoveEvent(pEvent);
}

void CXPButton::enterEvent(QEnterEvent* pEvent) {
  OnMouseMove();
  QPushButton::enterEvent(pEvent);
}

void CXPButton::leaveEvent(QEvent* pEvent) {
  OnMouseLeave();
  QPushButton::leaveEvent(pEvent);
}

void CXPButton::OnMouseMove() {
  // Qt reports the leave by itself; the hover counts from the first move.
  if (m_bTracking) return;
  m_bTracking = true;
  OnMouseHover();
}

int CXPButton::OnMouseHover() {
  m_bHover = true;
  update();
  return 1;
}

int CXPButton::OnMouseLeave() {
  m_bTracking = false;
  m_bHover = false;
  update();
  return 0;
}
