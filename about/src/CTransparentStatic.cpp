#include "infolio/CTransparentStatic.h"

#include <QPainter>

#include "TextFormat.h"

CTransparentStatic::CTransparentStatic(QWidget* pParent) : QLabel(pParent) {
  setAutoFillBackground(false);
}

CTransparentStatic::~CTransparentStatic() = default;

void CTransparentStatic::SetStyle(std::uint32_t dwStyle) {
  m_dwStyle = dwStyle;
  update();
}

void CTransparentStatic::paintEvent(QPaintEvent*) {
  // Only the text is drawn, in the default text colour (black), so the
  // parent's picture shows around it whatever the desktop's colour scheme.
  QPainter painter(this);
  painter.setFont(font());
  painter.setPen(Qt::black);
  TextFormat::Draw(painter, rect(), text(), TextFormat::FromStaticStyle(m_dwStyle));
}
