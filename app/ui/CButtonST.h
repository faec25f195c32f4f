#pragma once
// A push button that draws itself: an icon, or a bitmap with a transparent
// colour, beside its caption on a flat face. Six colours (background and
// text while the mouse is over it, normally, and while it has the focus)
// and the mouse-over flag choose how it looks. Given a link, a click also
// opens the link through the desktop.
#include <corvane/CorvaneTypes.h>

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QPushButton>
#include <QString>

#include <array>

class CButtonST : public QPushButton {
  Q_OBJECT

 public:
  enum ColorIndex {
    BTNST_COLOR_BK_IN = 0,
    BTNST_COLOR_FG_IN,
    BTNST_COLOR_BK_OUT,
    BTNST_COLOR_FG_OUT,
    BTNST_COLOR_BK_FOCUS,
    BTNST_COLOR_FG_FOCUS,
    BTNST_MAX_COLORS
  };
  static constexpr DWORD BTNST_OK = 0;
  static constexpr DWORD BTNST_INVALIDINDEX = 3;
  static constexpr DWORD BTNST_BADPARAM = 5;
  static constexpr int kMaxLinkLength = 260;

  explicit CButtonST(const QString& strCaption = {}, QWidget* pParent = nullptr);

  void AssignIcon(const QIcon& icon);
  // The bitmap is shown with every pixel of `transparent` left out, in full
  // colour also while the button is disabled.
  void AssignBitmap(const QPixmap& bitmap, QColor transparent);
  // Brightens (shade > 0) or darkens one colour, all three components by
  // the same amount, stopping where the first one reaches its bound so the
  // hue is kept. BTNST_INVALIDINDEX for an index of 6 or more,
  // BTNST_BADPARAM for a shade outside -255..255.
  DWORD ShiftColor(int nIndex, int nShade, bool bRepaint);
  DWORD SetColor(int nIndex, QColor color, bool bRepaint);
  QColor GetColor(int nIndex) const;
  // Up to 260 characters; an empty text clears the link.
  void AssignLink(const QString& strLink);
  const QString& GetLink() const { return m_strLink; }
  bool IsMouseOver() const { return m_bMouseOver; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* pEvent) override;
  void enterEvent(QEnterEvent* pEvent) override;
  void leaveEvent(QEvent* pEvent) override;

 private:
  void OpenLink();
  QSize ImageSize() const;

  std::array<QColor, BTNST_MAX_COLORS> m_Colors;
  QIcon m_Icon;
  QPixmap m_Bitmap;
  QString m_strLink;
  bool m_bMouseOver = false;
};
