// The program's About box, run modally: caption without ampersand, name, and
// the release read from the built lumora executable, or none from a program
// without version information; the window's About and maker-site buttons.
#include "AboutBox.h"

#include <QLabel>
#include <infolio/CZqDialogAbout1.h>

#include "UiTestSupport.h"

namespace {

struct Seen {
  QString strCaption, strName, strVersion;
};

// Reads the About box that `run` shows and closes it.
Seen ReadAboutBox(const std::function<void()>& run) {
  Seen seen;
  QTimer reader;  // gone with this function, so it cannot fire later
  reader.setSingleShot(true);
  QObject::connect(&reader, &QTimer::timeout, [&] {
    auto* pDialog = qobject_cast<CZqDialogAbout1*>(QApplication::activeModalWidget());
    if (!pDialog) return;
    seen = {pDialog->windowTitle(), static_cast<QLabel*>(pDialog->GetDlgItem(16001))->text(),
            static_cast<QLabel*>(pDialog->GetDlgItem(16002))->text()};
    pDialog->accept();
  });
  reader.start(0);
  run();
  return seen;
}

}  // namespace

TEST(AboutBox, ShowsCaptionNameAndReleaseOfTheExecutable) {
  UiApp();
  const Seen seen = ReadAboutBox([] { AboutBox::Run(nullptr, LUMORA_BINARY_DIR "/bin/lumora"); });
  EXPECT_EQ(seen.strCaption, "About Lumora...");
  EXPECT_EQ(seen.strName, "LumoraFinder");
  EXPECT_EQ(seen.strVersion, "Release 0, 1, 2, 1");
  EXPECT_EQ(ReadAboutBox([] { AboutBox::Run(nullptr, LUMORA_BINARY_DIR "/bin/printer-sim"); })
                .strVersion,
            "");
}

TEST(AboutBox, WindowsAboutButtonShowsItAndMakerSiteButtonOpensTheSite) {
  TestApp app;
  TestDlg dlg(app.Get(), std::make_unique<FakeTransport>());
  dlg.OnInitDialog();
  dlg.show();
  auto click = [&](int nId) { QTest::mouseClick(dlg.Item<QAbstractButton>(nId), Qt::LeftButton); };
  EXPECT_EQ(ReadAboutBox([&] { click(CLumoraDlg::IDC_ABOUT); }).strName, "LumoraFinder");
  QUrl opened;
  DesktopUrlHook hook([&](const QUrl& url) { opened = url; return true; });
  click(CLumoraDlg::IDC_MAKER_SITE);
  EXPECT_EQ(opened, QUrl("http://www.zqprinters.example/"));
}
