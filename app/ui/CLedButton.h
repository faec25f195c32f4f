#pragma once
// An activity lamp with its caption: a two-frame lamp image (off, on) drawn
// at the left, the caption beside it. The program keeps the on/off state in
// the control itself ("self-managed"); switching to the same state again
// does not redraw.
#include "CRGBImageList.h"

#include <QAbstractButton>
#include <QPixmap>

class CLedButton : public QAbstractButton {
  Q_OBJECT

 public:
  static constexpr int kTextOffset = 20;

  explicit CLedButton(const QString& strCaption = {}, QWidget* pParent = nullptr);

  // Called once after construction: where the state lives, the initial
  // state, and whether the lamp is centred vertically.
  void SetLedLayout(bool bSelfManaged, int nInitialState, bool bVerticalCentre);
  // The lamp bitmap (frames of nLampWidth side by side); places the lamp.
  void SetLedImage(const QPixmap& image, int nLampWidth);
  // Stores the state and redraws at once when it changes; returns it.
  int SetLedOn(int nState);
  // The stored state when self-managed, otherwise the check state.
  int IsLedOn();

  QPoint LampPosition() const { return m_LampPosition; }
  int TextOffset() const { return m_nTextOffset; }

 protected:
  void paintEvent(QPaintEvent* pEvent) override;
  void resizeEvent(QResizeEvent* pEvent) override;

 private:
  void PlaceLamp();

  CRGBImageList m_Lamp;
  int m_nLampWidth = 0;
  QPoint m_LampPosition;
  int m_nTextOffset = kTextOffset;
  int m_nState = 0;
  bool m_bSelfManaged = false;
  bool m_bVerticalCentre = false;
};
