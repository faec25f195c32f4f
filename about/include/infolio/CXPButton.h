#pragma once
// A push button drawn in a soft style: rounded black outline, a vertical
// gradient from white to a light grey, an amber inner border while the mouse
// is over it and a blue one while it has the focus.
#include <infolio/infolio_export.h>

#include <QPen>
#include <QPushButton>

class INFOLIO_EXPORT CXPButton : public QPushButton {
  Q_OBJECT

 public:
  // Item-state bits of a drawing request.
  static constexpr unsigned kStateSelected = 0x0001;
  static constexpr unsigned kStateDisabled = 0x0004;
  static constexpr unsigned kStateFocus = 0x0010;
  static constexpr unsigned kStateDefault = 0x0020;

  // Invokable, so that the button can be created from its class name
  // (staticMetaObject.newInstance).
  Q_INVOKABLE explicit CXPButton(QWidget* pParent = nullptr);
  ~CXPButton() override;

  bool IsHovered() const { return m_bHover; }

  // Draws the whole button into rcItem with the given item state.
  virtual void DrawItem(QPainter& dc, const QRect& rcItem, unsigned uItemState);
  // Fills rc (left, top, right, bottom exclusive) row by row with the gradient.
  void DoGradientFill(QPainter& dc, QRect rc);
  void DrawInsideBorder(QPainter& dc, QRect rc);

 protected:
  virtual void OnMouseMove();
  virtual int OnMouseHover();
  virtual int OnMouseLeave();

  void paintEvent(QPaintEvent* pEvent) override;
  void mouseMoveEvent(QMouseEvent* pEvent) override;
  void enterEvent(QEnterEvent* pEvent) override;
  void leaveEvent(QEvent* pEvent) override;

 private:
  unsigned CurrentItemState() const;
  void DrawText(QPainter& dc, const QRect& rc, unsigned uItemState);

  QPen m_penFrame;
  QPen m_penHotLeft, m_penHotTop, m_penHotRight, m_penHotBottom;
  QPen m_penFocusLeft, m_penFocusTop, m_penFocusRight, m_penFocusBottom;
  bool m_bHover = false;
  bool m_bTracking = false;
  bool m_bFocus = false;
  bool m_bHighlight = false;
};
