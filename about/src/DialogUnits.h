#pragma once
// Converts dialog units to pixels with the dialog font's base units:
// horizontally units x average character width / 4, vertically units x
// character height / 8, rounded to the nearest pixel.
#include <QFont>
#include <QRect>

struct DialogTemplate;

class DialogUnits {
 public:
  DialogUnits(int iBaseX, int iBaseY) : m_iBaseX(iBaseX), m_iBaseY(iBaseY) {}
  explicit DialogUnits(const QFont& font);

  // The template's font when the system has it; otherwise the application's
  // font family at the template's point size.
  static QFont TemplateFont(const DialogTemplate& dialogTemplate);

  int BaseX() const { return m_iBaseX; }
  int BaseY() const { return m_iBaseY; }
  QRect ToPixels(int x, int y, int cx, int cy) const;
  QSize ToPixels(int cx, int cy) const;

 private:
  int m_iBaseX;
  int m_iBaseY;
};
