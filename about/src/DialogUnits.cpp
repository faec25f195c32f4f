#include "DialogUnits.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>

#include "DialogTemplate.h"

namespace {

// units x base / divisor, rounded half away from zero.
int Scale(int iUnits, int iBase, int iDivisor) {
  const long long product = static_cast<long long>(iUnits) * iBase;
  const long long half = iDivisor / 2;
  return static_cast<int>(product >= 0 ? (product + half) / iDivisor : (product - half) / iDivisor);
}

}  // namespace

DialogUnits::DialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  m_iBaseX = metrics.averageCharWidth();
  m_iBaseY = metrics.height();
}

QFont DialogUnits::TemplateFont(const DialogTemplate& dialogTemplate) {
  const QString family = QString::fromLatin1(dialogTemplate.pszFontFamily);
  QFont font = QFontDatabase::families().contains(family) ? QFont(family) : QApplication::font();
  font.setPointSize(dialogTemplate.iFontPointSize);
  return font;
}

QRect DialogUnits::ToPixels(int x, int y, int cx, int cy) const {
  return QRect(QPoint(Scale(x, m_iBaseX, 4), Scale(y, m_iBaseY, 8)), ToPixels(cx, cy));
}

QSize DialogUnits::ToPixels(int cx, int cy) const {
  return QSize(Scale(cx, m_iBaseX, 4), Scale(cy, m_iBaseY, 8));
}
