#include "TextFormat.h"

#include <QFontMetrics>
#include <QPainter>

#include "infolio/CTransparentStatic.h"

std::uint32_t TextFormat::FromStaticStyle(std::uint32_t dwStyle) {
  using S = CTransparentStatic;
  std::uint32_t dwFormat = 0;
  if (dwStyle & S::kStyleRight) dwFormat |= kRight;
  if (dwStyle & S::kStyleCenter) dwFormat |= kCenter;
  if (dwStyle & S::kStyleCenterImage) dwFormat |= kVCenter | kSingleLine;
  if (dwStyle & S::kStyleNoPrefix) dwFormat |= kNoPrefix;
  if (dwStyle & S::kStyleWordEllipsis) dwFormat |= kWordEllipsis;
  if (dwStyle & S::kStyleEndEllipsis) dwFormat |= kEndEllipsis;
  if (dwStyle & S::kStylePathEllipsis) dwFormat |= kPathEllipsis;
  if (!(dwStyle & 0xC20C)) dwFormat |= kWordBreak;
  return dwFormat;
}

void TextFormat::Draw(QPainter& painter, const QRect& rc, const QString& text,
                      std::uint32_t dwFormat) {
  int iFlags = (dwFormat & kRight) ? Qt::AlignRight : (dwFormat & kCenter) ? Qt::AlignHCenter
                                                                            : Qt::AlignLeft;
  const bool bSingleLine = dwFormat & kSingleLine;
  iFlags |= (bSingleLine && (dwFormat & kVCenter)) ? Qt::AlignVCenter : Qt::AlignTop;
  if (bSingleLine) iFlags |= Qt::TextSingleLine;
  else if (dwFormat & kWordBreak) iFlags |= Qt::TextWordWrap;
  if (!(dwFormat & kNoPrefix)) iFlags |= Qt::TextShowMnemonic;

  QString shown = text;
  const bool bEllipsis = dwFormat & (kEndEllipsis | kWordEllipsis | kPathEllipsis);
  if (bEllipsis && !(iFlags & Qt::TextWordWrap)) {
    // A path keeps its beginning and its end; other texts keep the beginning.
    const Qt::TextElideMode mode = (dwFormat & kPathEllipsis) ? Qt::ElideMiddle : Qt::ElideRight;
    shown = painter.fontMetrics().elidedText(text, mode, rc.width(), iFlags);
  }
  painter.drawText(rc, iFlags, shown);
}
