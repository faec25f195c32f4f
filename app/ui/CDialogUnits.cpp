#include "CDialogUnits.h"

#include <QApplication>
#include <QFontMetrics>

namespace {
constexpr int kDialogPointSize = 8;

// a * b / c rounded to the nearest integer.
int MulDiv(int a, int b, int c) {
  const long long p = static_cast<long long>(a) * b;
  return static_cast<int>(p >= 0 ? (p + c / 2) / c : (p - c / 2) / c);
}
}  // namespace

QFont CDialogUnits::DialogFont() {
  QFont font = QApplication::font();
  font.setPointSize(kDialogPointSize);
  return font;
}

CDialogUnits::CDialogUnits(const QFont& font) {
  const QFontMetrics metrics(font);
  // The average width over both alphabets, rounded, as the dialog manager
  // measures it.
  const int nWidth = metrics.horizontalAdvance(
      QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
  m_nBaseX = (nWidth / 26 + 1) / 2;
  m_nBaseY = metrics.height();
}

int CDialogUnits::ToPixelsX(int nUnits) const { return MulDiv(nUnits, m_nBaseX, 4); }

int CDialogUnits::ToPixelsY(int nUnits) const { return MulDiv(nUnits, m_nBaseY, 8); }

// Edges are mapped one by one, so that neighbouring controls stay flush.
QRect CDialogUnits::ToPixels(int x, int y, int cx, int cy) const {
  const int nLeft = ToPixelsX(x);
  const int nTop = ToPixelsY(y);
  return {nLeft, nTop, ToPixelsX(x + cx) - nLeft, ToPixelsY(y + cy) - nTop};
}
