// Saves pictures of the About box, English and Italian, into the build tree
// (screenshots/about-<language>-<scale>.png) for a person to look at. Run
// once as is and once with QT_SCALE_FACTOR=2.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QPixmap>

#include "AboutTemplate.h"
#include "infolio/CZqDialogAbout1.h"

namespace {

QString ScreenshotPath(const char* pszLanguage, qreal dRatio) {
  const QString directory = QStringLiteral(LUMORA_BINARY_DIR "/screenshots");
  QDir().mkpath(directory);
  return QStringLiteral("%1/about-%2-%3.png")
      .arg(directory, QLatin1String(pszLanguage))
      .arg(qRound(dRatio * 100));
}

}  // namespace

TEST(AboutScreenshot, SavesTheAboutBoxInEnglishAndItalian) {
  for (const auto& [pszLanguage, language] :
       {std::pair{"en", QLocale::English}, std::pair{"it", QLocale::Italian}}) {
    QLocale::setDefault(QLocale(language));
    CZqDialogAbout1 dialog;
    dialog.SetDialogParams(3, L"About Lumora...", L"LumoraFinder", L"Release 0, 1, 2, 1");
    dialog.show();
    QApplication::setActiveWindow(&dialog);  // as on a desktop: OK has the focus
    EXPECT_TRUE(dialog.GetDlgItem(1)->hasFocus());
    const QPixmap picture = dialog.grab();
    dialog.close();
    EXPECT_EQ(picture.size(), dialog.size() * picture.devicePixelRatio());
    EXPECT_TRUE(picture.save(ScreenshotPath(pszLanguage, picture.devicePixelRatio())));
  }
  QLocale::setDefault(QLocale::system());
}
