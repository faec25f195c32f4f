#include "CLedButton.h"

#include <QPainter>

#include <cmath>

CLedButton::CLedButton(const QString& strCaption, QWidget* pParent)
    : QAbstractButton(pParent) {
  setText(strCaption);
  setFocusPolicy(Qt::NoFocus);  // an indicator, not a control
}

void CLedButton::SetLedLayout(bool bSelfManaged, int nInitialState, bool bVerticalCentre) {
  m_bSelfManaged = bSelfManaged;
  m_nState = nInitialState != 0 ? 1 : 0;
  m_bVerticalCentre = bVerticalCentre;
  m_nTextOffset = kTextOffset;
}

void CLedButton::SetLedImage(const QPixmap& image, int nLampWidth) {
  m_Lamp.SetImage(image);
  m_nLampWidth = nLampWidth;
  if (m_nLampWidth + 5 > m_nTextOffset) m_nTextOffset = m_nLampWidth + 5;
  PlaceLamp();
  update();
}

void CLedButton::PlaceLamp() {
  const int nTop = m_bVerticalCentre
                       ? static_cast<int>(std::lround(height() / 2.0)) - m_Lamp.Height() / 2
                       : 0;
  m_LampPosition = QPoint(1, nTop);
}

int CLedButton::SetLedOn(int nState) {
  const int nNew = nState != 0 ? 1 : 0;
  if (nNew != m_nState) {
    m_nState = nNew;
    repaint();
  }
  return m_nState;
}

int CLedButton::IsLedOn() {
  if (!m_bSelfManaged) m_nState = isChecked() ? 1 : 0;
  return m_nState;
}

void CLedButton::resizeEvent(QResizeEvent* pEvent) {
  PlaceLamp();
  QAbstractButton::resizeEvent(pEvent);
}

void CLedButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  // The face is left to the dialog behind, which already has its colour.
  m_Lamp.Draw(painter, m_LampPosition, m_nState, m_nLampWidth);
  if (text().isEmpty()) return;
  painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
  const QRect textArea(m_nTextOffset, 0, width() - m_nTextOffset, height());
  painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, text());
}
