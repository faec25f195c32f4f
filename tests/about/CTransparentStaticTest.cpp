#include "infolio/CTransparentStatic.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QWidget>

#include "TextFormat.h"

TEST(CTransparentStatic, StyleBitsGiveTheTextFormat) {
  using S = CTransparentStatic;
  using namespace TextFormat;
  const std::pair<std::uint32_t, std::uint32_t> cases[] = {
      {0, kWordBreak},
      {S::kStyleRight, kRight | kWordBreak},
      {S::kStyleCenter, kCenter | kWordBreak},
      {S::kStyleCenterImage, kVCenter | kSingleLine},
      {S::kStyleNoPrefix, kNoPrefix | kWordBreak},
      {S::kStyleEndEllipsis, kWordEllipsis | kEndEllipsis},
      {S::kStylePathEllipsis, kWordEllipsis | kPathEllipsis},
      {S::kStyleWordEllipsis, kWordEllipsis | kEndEllipsis | kPathEllipsis},
      {S::kStyleCenterImage | S::kStyleNoPrefix | S::kStyleRight,
       kRight | kVCenter | kSingleLine | kNoPrefix},
  };
  for (const auto& [dwStyle, dwFormat] : cases)
    EXPECT_EQ(FromStaticStyle(dwStyle), dwFormat) << std::hex << dwStyle;
}

TEST(CTransparentStatic, DrawsTextWithoutBackground) {
  QWidget parent;  // paints red; the label's area keeps it round the text
  QPalette palette = parent.palette();
  palette.setColor(QPalette::Window, Qt::red);
  parent.setPalette(palette);
  parent.setAutoFillBackground(true);
  parent.resize(200, 16);
  CTransparentStatic label(&parent);
  palette.setColor(QPalette::Window, Qt::blue);  // what a background of its own would show
  label.setPalette(palette);
  label.SetStyle(CTransparentStatic::kStyleCenterImage);
  label.setText("Release 0, 1, 2, 1");
  label.resize(200, 16);
  QImage image(parent.size(), QImage::Format_RGB32);
  parent.render(&image);
  EXPECT_EQ(image.pixel(199, 0), qRgb(255, 0, 0));
  bool bInk = false;
  for (int x = 0; x < 60 && !bInk; ++x) bInk = qRed(image.pixel(x, 8)) < 128;
  EXPECT_TRUE(bInk);
}
