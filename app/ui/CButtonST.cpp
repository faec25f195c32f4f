#include "CButtonST.h"

#include "DesktopUrl.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOptionButton>
#include <QUrl>

#include <algorithm>

namespace {
constexpr int kMaxIconSide = 24;
constexpr int kPadding = 4;
constexpr int kGap = 5;
}  // namespace

CButtonST::CButtonST(const QString& strCaption, QWidget* pParent)
    : QPushButton(strCaption, pParent) {
  const QPalette pal = palette();
  for (int i = 0; i < BTNST_MAX_COLORS; ++i) {
    m_Colors[static_cast<size_t>(i)] =
        pal.color(i % 2 == 0 ? QPalette::Button : QPalette::ButtonText);
  }
  setAttribute(Qt::WA_Hover);
  connect(this, &QPushButton::clicked, this, &CButtonST::OpenLink);
}

void CButtonST::AssignIcon(const QIcon& icon) {
  m_Icon = icon;
  m_Bitmap = QPixmap();
  update();
}

void CButtonST::AssignBitmap(const QPixmap& bitmap, QColor transparent) {
  m_Bitmap = bitmap;
  if (!m_Bitmap.isNull()) m_Bitmap.setMask(m_Bitmap.createMaskFromColor(transparent));
  m_Icon = QIcon();
  update();
}

DWORD CButtonST::ShiftColor(int nIndex, int nShade, bool bRepaint) {
  if (nIndex < 0 || nIndex >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
  if (nShade < -255 || nShade > 255) return BTNST_BADPARAM;
  QColor& color = m_Colors[static_cast<size_t>(nIndex)];
  const int nRed = color.red(), nGreen = color.green(), nBlue = color.blue();
  const int nShift = nShade > 0 ? std::min(nShade, 255 - std::max({nRed, nGreen, nBlue}))
                                : std::max(nShade, -std::min({nRed, nGreen, nBlue}));
  color = QColor(nRed + nShift, nGreen + nShift, nBlue + nShift);
  if (bRepaint) update();
  return BTNST_OK;
}

DWORD CButtonST::SetColor(int nIndex, QColor color, bool bRepaint) {
  if (nIndex < 0 || nIndex >= BTNST_MAX_COLORS) return BTNST_INVALIDINDEX;
  m_Colors[static_cast<size_t>(nIndex)] = color;
  if (bRepaint) update();
  return BTNST_OK;
}

QColor CButtonST::GetColor(int nIndex) const {
  return nIndex >= 0 && nIndex < BTNST_MAX_COLORS ? m_Colors[static_cast<size_t>(nIndex)] : QColor();
}

void CButtonST::AssignLink(const QString& strLink) { m_strLink = strLink.left(kMaxLinkLength); }

void CButtonST::OpenLink() {
  if (!m_strLink.isEmpty()) DesktopUrl::Open(QUrl(m_strLink));
}

QSize CButtonST::ImageSize() const {
  if (!m_Bitmap.isNull()) return m_Bitmap.deviceIndependentSize().toSize();
  if (m_Icon.isNull()) return {};
  const int nSide = std::min(kMaxIconSide, height() - 2 * kPadding);
  return {nSide, nSide};
}

QSize CButtonST::sizeHint() const {
  const QSize image = ImageSize();
  const int nText = text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(text()) + kGap;
  return {image.width() + nText + 4 * kPadding, std::max(image.height(), fontMetrics().height()) + 2 * kPadding};
}

void CButtonST::enterEvent(QEnterEvent* pEvent) {
  m_bMouseOver = true;
  update();
  QPushButton::enterEvent(pEvent);
}

void CButtonST::leaveEvent(QEvent* pEvent) {
  m_bMouseOver = false;
  update();
  QPushButton::leaveEvent(pEvent);
}

void CButtonST::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const bool bEnabled = isEnabled();
  const bool bOver = m_bMouseOver && bEnabled;
  const bool bFocus = hasFocus();
  const int nPair = bOver ? BTNST_COLOR_BK_IN : (bFocus ? BTNST_COLOR_BK_FOCUS : BTNST_COLOR_BK_OUT);
  QColor background = m_Colors[static_cast<size_t>(nPair)];
  QColor foreground = m_Colors[static_cast<size_t>(nPair + 1)];
  if (isDown()) background = background.darker(112);
  if (!bEnabled) foreground = palette().color(QPalette::Disabled, QPalette::ButtonText);

  // The flat face with a quiet edge; the edge is stronger for the default
  // button and while the mouse is over the button.
  const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QColor edge = palette().color(QPalette::Mid);
  if ((bOver || isDefault()) && bEnabled) edge = palette().color(QPalette::Dark);
  painter.setPen(QPen(edge, isDefault() && bEnabled ? 1.5 : 1.0));
  painter.setBrush(background);
  // A disabled picture (the logo) is shown on its own, without a face.
  if (bEnabled || m_Bitmap.isNull()) painter.drawRoundedRect(face, 3, 3);

  const QSize image = ImageSize();
  const int nTextWidth = text().isEmpty() ? 0 : fontMetrics().horizontalAdvance(text());
  const int nContent = image.width() + (nTextWidth > 0 && image.width() > 0 ? kGap : 0) + nTextWidth;
  const int nShift = isDown() ? 1 : 0;
  int x = (width() - nContent) / 2 + nShift;
  if (!m_Bitmap.isNull()) {
    // Scaled down, never up, to fit the face.
    const QSize fit = image.scaled(size() - QSize(4, 4), Qt::KeepAspectRatio).boundedTo(image);
    painter.drawPixmap(QRect(QPoint((width() - fit.width()) / 2, (height() - fit.height()) / 2), fit), m_Bitmap);
  } else if (!m_Icon.isNull()) {
    const QRect imageRect(QPoint(x, (height() - image.height()) / 2 + nShift), image);
    m_Icon.paint(&painter, imageRect, Qt::AlignCenter, bEnabled ? QIcon::Normal : QIcon::Disabled);
    x += image.width() + kGap;
  }
  if (nTextWidth > 0) {
    painter.setPen(foreground);
    painter.drawText(QRect(x, nShift, width() - x, height()), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic, text());
  }
  if (bFocus) {
    QPen focusPen(palette().color(QPalette::Highlight), 1, Qt::DotLine);
    painter.setPen(focusPen);
    painter.setBrush(Qt::NoBrush);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawRect(rect().adjusted(3, 3, -4, -4));
  }
}
