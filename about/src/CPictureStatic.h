#pragma once
// A picture control: shows an image at the image's own size, or nothing, and
// reports left clicks when asked to.
#include <QLabel>

class CPictureStatic : public QLabel {
  Q_OBJECT

 public:
  CPictureStatic(QWidget* pParent, bool bNotify);

  // Takes the image's size; a null image blanks the control and keeps its size.
  void SetImage(const QPixmap& image);
  bool HasImage() const;

 signals:
  void clicked();

 protected:
  void mousePressEvent(QMouseEvent* pEvent) override;

 private:
  bool m_bNotify;
};
