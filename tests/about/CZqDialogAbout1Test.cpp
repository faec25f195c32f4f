// The About box (its texts: tests/app/ui/AboutBoxTest). The desktop's URL
// handler is replaced, so nothing is ever opened.
#include "infolio/CZqDialogAbout1.h"

#include <gtest/gtest.h>

#include <QLocale>
#include <QTest>
#include <QTimer>

#include "AboutTemplate.h"
#include "CPictureStatic.h"
#include "DialogUnits.h"
#include "InfolioResources.h"
#include "UrlRecorder.h"

namespace {

constexpr const char* kSite = "http://www.zqprinters.example/";

QImage Shown(const CZqDialogAbout1& dialog, int iControl) {
  return static_cast<CPictureStatic*>(dialog.GetDlgItem(iControl))->pixmap().toImage();
}

QImage Image(int iId, const QWidget& widget) {
  return iId ? InfolioResources::LoadImage(iId, widget.devicePixelRatioF()).toImage() : QImage();
}

// What clicking the control opens (at most one URL).
QString ClickOpens(const CZqDialogAbout1& dialog, int iControl) {
  UrlRecorder recorder;
  QTest::mouseClick(dialog.GetDlgItem(iControl), Qt::LeftButton, {}, QPoint(2, 2));
  return recorder.opened.value(0);
}

struct Variant {
  std::uint32_t dwLinkSet;
  int iMailImage;
  int iSiteImage;
  const char* pszMail;
  const char* pszSite;
  std::uint32_t dwEarlierSet = 0;  // set before, when not 0
};

}  // namespace

TEST(CZqDialogAbout1, LinkVariantsSetImagesAndLinks) {
  const Variant variants[] = {
      {0, 0, 0, "", ""},
      {1, 2027, 2025, "mailto:support@zqprinters.example", kSite},
      {2, 2026, 2025, "mailto:software@zqprinters.example", kSite},
      {3, 2024, 2025, "mailto:netsupport@zqprinters.example", kSite},
      {4, 0, 2025, "", kSite},
      // Above 4: the template's images, the earlier variant's links.
      {5, 2024, 2025, "mailto:software@zqprinters.example", kSite, 2},
  };
  for (const Variant& v : variants) {
    SCOPED_TRACE(v.dwLinkSet);
    CZqDialogAbout1 dialog;
    if (v.dwEarlierSet) dialog.SetDialogParams(v.dwEarlierSet, L"", L"", L"");
    dialog.SetDialogParams(v.dwLinkSet, L"Caption", L"Name", L"Version");
    dialog.show();
    dialog.grab();  // the images are applied at the first paint
    EXPECT_EQ(Shown(dialog, AboutTemplate::kIdLogo), Image(2023, dialog));
    EXPECT_EQ(Shown(dialog, AboutTemplate::kIdMail), Image(v.iMailImage, dialog));
    EXPECT_EQ(Shown(dialog, AboutTemplate::kIdSite), Image(v.iSiteImage, dialog));
    EXPECT_EQ(ClickOpens(dialog, AboutTemplate::kIdMail), v.pszMail);
    EXPECT_EQ(ClickOpens(dialog, AboutTemplate::kIdSite), v.pszSite);
  }
}

TEST(CZqDialogAbout1, RunWithoutParamsShowsBlankLabelsButKeepsTheFirstLinks) {
  CZqDialogAbout1 dialog;
  QString mail, site;
  QTimer::singleShot(0, &dialog, [&] {
    dialog.grab();
    EXPECT_EQ(Shown(dialog, AboutTemplate::kIdLogo), Image(2023, dialog));
    EXPECT_TRUE(Shown(dialog, AboutTemplate::kIdMail).isNull());
    EXPECT_TRUE(Shown(dialog, AboutTemplate::kIdSite).isNull());
    EXPECT_TRUE(dialog.windowTitle().isEmpty());  // the template's "Dialog" is replaced
    mail = ClickOpens(dialog, AboutTemplate::kIdMail);
    site = ClickOpens(dialog, AboutTemplate::kIdSite);
    QTest::mouseClick(dialog.GetDlgItem(AboutTemplate::kIdOK), Qt::LeftButton);
  });
  EXPECT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(mail, "mailto:support@zqprinters.example");
  EXPECT_EQ(site, kSite);
}

TEST(CZqDialogAbout1, MailLabelsFollowTheUsersLanguage) {
  auto images = [](QLocale::Language language) {  // the mail label and the site's
    QLocale::setDefault(QLocale(language));
    return std::pair{InfolioResources::LoadImage(2024, 1).toImage(), InfolioResources::LoadImage(2025, 1).toImage()};
  };
  const auto english = images(QLocale::English), italian = images(QLocale::Italian);
  QLocale::setDefault(QLocale::system());
  EXPECT_FALSE(english.first.isNull());
  EXPECT_NE(english.first, italian.first);
  EXPECT_EQ(english.second, italian.second);
}

TEST(CZqDialogAbout1, TemplateConvertsToPixelsWithTheFontsBaseUnits) {
  const DialogUnits units(6, 13);  // an 8-point dialog font
  EXPECT_EQ(units.ToPixels(242, 158), QSize(363, 257));
  EXPECT_EQ(units.ToPixels(91, 115, 101, 10), QRect(137, 187, 152, 16));  // halves round up
}
