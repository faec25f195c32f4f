#pragma once
// Dialog units to pixels, from the dialog font's metrics as the platform's
// dialog manager does it: one horizontal unit is a quarter of the font's
// average character width, one vertical unit an eighth of its height. A
// dialog thus keeps its template's proportions on any font and screen scale.
#include <QFont>
#include <QRect>

class CDialogUnits {
 public:
  // The font dialogs are laid out with: the desktop's default UI font at
  // 8 points, standing in for "MS Sans Serif" 8 (its 13-pixel line at
  // 96 dpi matches the original's).
  static QFont DialogFont();

  explicit CDialogUnits(const QFont& font);

  int BaseX() const { return m_nBaseX; }  // average character width, pixels
  int BaseY() const { return m_nBaseY; }  // character height, pixels

  int ToPixelsX(int nUnits) const;
  int ToPixelsY(int nUnits) const;
  QRect ToPixels(int x, int y, int cx, int cy) const;

 private:
  int m_nBaseX = 0;
  int m_nBaseY = 0;
};
