#include "ButtonGradient.h"

QColor ButtonGradient::Entry(int i, bool bHover, bool bHighlight) {
  // Divisors of the red-green and the blue steps for hover x highlight.
  const int iGrey = bHover ? 4 : 3;
  const int iBlue = bHover ? (bHighlight ? 3 : 5) : (bHighlight ? 4 : 5);
  return QColor(255 - i / iGrey, 255 - i / iGrey, 255 - i / iBlue);
}
