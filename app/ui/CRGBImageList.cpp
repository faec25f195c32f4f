#include "CRGBImageList.h"

#include <QPainter>

void CRGBImageList::Draw(QPainter& painter, QPoint at, int nFrame, int nFrameWidth) const {
  if (m_Image.isNull()) return;
  const qreal ratio = m_Image.devicePixelRatio();
  const QRectF source(nFrame * nFrameWidth * ratio, 0, nFrameWidth * ratio, Height() * ratio);
  painter.drawPixmap(QRectF(at, QSizeF(nFrameWidth, Height())), m_Image, source);
}
