#include "infolio/CXPButton.h"

#include <gtest/gtest.h>

#include <QPainter>
#include <QTest>

#include "ButtonGradient.h"

namespace {

constexpr QRgb kBackground = qRgb(255, 0, 255);

QImage Canvas(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(kBackground);
  return image;
}

QImage Drawn(CXPButton& button, unsigned uState) {
  QImage image = Canvas(button.size());
  QPainter painter(&image);
  button.DrawItem(painter, button.rect(), uState);
  return image;
}

// The bounding box of the pixels of exactly this colour inside area.
QRect PixelsOf(const QImage& image, QRgb colour, QRect area = {}) {
  if (area.isEmpty()) area = image.rect();
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (image.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
  return box;
}

}  // namespace

TEST(CXPButton, GradientRunsFromWhiteToTheColouringsGrey) {
  // (hover, highlight, last colour)
  const std::tuple<bool, bool, QColor> cases[] = {{true, true, QColor(240, 240, 234)},
                                                  {true, false, QColor(240, 240, 243)},
                                                  {false, true, QColor(234, 234, 240)},
                                                  {false, false, QColor(234, 234, 243)}};
  for (const auto& [bHover, bHighlight, last] : cases) {
    EXPECT_EQ(ButtonGradient::Entry(0, bHover, bHighlight), QColor(Qt::white)) << bHover << bHighlight;
    EXPECT_EQ(ButtonGradient::Entry(63, bHover, bHighlight), last) << bHover << bHighlight;
  }
}

TEST(CXPButton, OnePixelHighFaceIsASingleRowOfTheLastColourAnEmptyOneNothing) {
  CXPButton button;
  QImage image = Canvas(QSize(20, 6));
  QPainter painter(&image);
  button.DoGradientFill(painter, QRect(2, 2, 16, 1));
  button.DoGradientFill(painter, QRect(0, 0, 16, 0));  // no row, and no division by its height
  painter.end();
  EXPECT_EQ(PixelsOf(image, ButtonGradient::Entry(63, false, false).rgb()), QRect(2, 2, 16, 1));
  EXPECT_EQ(image.pixel(0, 0), kBackground);
}

TEST(CXPButton, HoverBorderWinsOverFocusBorderAndEndsWithTheMouse) {
  CXPButton button;
  button.resize(75, 23);
  button.show();
  const QRgb hoverLeft = qRgb(250, 196, 88);
  const QRgb focusLeft = qRgb(153, 198, 252);
  QTest::mouseMove(&button, QPoint(10, 10));
  ASSERT_TRUE(button.IsHovered());
  EXPECT_EQ(Drawn(button, CXPButton::kStateFocus).pixel(2, 11), hoverLeft);
  QEvent leave(QEvent::Leave);
  QCoreApplication::sendEvent(&button, &leave);
  EXPECT_FALSE(button.IsHovered());
  EXPECT_EQ(Drawn(button, CXPButton::kStateFocus).pixel(2, 11), focusLeft);
}

TEST(CXPButton, PressedTextMovesOnePixelDisabledTextStaysEmbossed) {
  CXPButton button;
  button.setText("OK");
  QFont font = button.font();
  font.setStyleStrategy(QFont::NoAntialias);  // whole pixels, so places compare exactly
  button.setFont(font);
  button.resize(75, 23);
  const QRect face(4, 4, 67, 15);  // inside the black outline
  const QRect normal = PixelsOf(Drawn(button, 0), qRgb(0, 0, 0), face);
  ASSERT_FALSE(normal.isEmpty());
  const QRect pressed = PixelsOf(Drawn(button, CXPButton::kStateSelected), qRgb(0, 0, 0), face);
  EXPECT_EQ(pressed, normal.translated(1, 1));
  const QImage disabled = Drawn(button, CXPButton::kStateDisabled);
  EXPECT_EQ(PixelsOf(disabled, qRgb(128, 128, 128)), normal);
  EXPECT_FALSE(PixelsOf(disabled, qRgb(255, 255, 255)).intersected(normal.translated(1, 1)).isEmpty());
}
