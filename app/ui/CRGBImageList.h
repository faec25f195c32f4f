#pragma once
// The image of a lamp: frames of equal width side by side in one bitmap
// (off at x = 0, on at x = the frame width).
#include <QPixmap>
#include <QPoint>

class QPainter;

class CRGBImageList {
 public:
  void SetImage(const QPixmap& image) { m_Image = image; }
  bool IsEmpty() const { return m_Image.isNull(); }
  // Size in logical pixels.
  int Width() const { return m_Image.deviceIndependentSize().toSize().width(); }
  int Height() const { return m_Image.deviceIndependentSize().toSize().height(); }
  // Draws frame `nFrame` of width `nFrameWidth` with its top left at `at`.
  void Draw(QPainter& painter, QPoint at, int nFrame, int nFrameWidth) const;

 private:
  QPixmap m_Image;
};
