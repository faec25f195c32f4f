#include "CPictureStatic.h"

#include <QMouseEvent>

CPictureStatic::CPictureStatic(QWidget* pParent, bool bNotify)
    : QLabel(pParent), m_bNotify(bNotify) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void CPictureStatic::SetImage(const QPixmap& image) {
  if (image.isNull()) {
    clear();
    return;
  }
  setPixmap(image);
  resize(image.deviceIndependentSize().toSize());
}

bool CPictureStatic::HasImage() const { return !pixmap().isNull(); }

void CPictureStatic::mousePressEvent(QMouseEvent* pEvent) {
  if (m_bNotify && pEvent->button() == Qt::LeftButton) {
    emit clicked();
    return;
  }
  QLabel::mousePressEvent(pEvent);
}
